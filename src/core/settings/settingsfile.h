// The personal settings file "Personal.Mtg": one text line that keeps the printer font, the
// user's name, the currency symbol and the compounding period from one run to the next.
//
// The line is four comma-separated items, bare integers and double-quoted strings, ended by
// carriage return and line feed, for example
//
//     1,"Ann Lee","$",4
//
// Reading follows the rules of sequential input: an item may be a quoted string, in which commas
// are part of the text and which ends at the next double quote (there is no escape), or an
// unquoted run up to the next comma or the end of the line with its blanks trimmed. Numbers
// become integers, rounded half to even. The file is encoded in UTF-8.
//
// A file the program did not write itself must never stop the program: reading takes what it can
// and keeps the current value of everything it cannot take, without a message.
#pragma once

#include <QString>
#include <QStringView>

namespace qb {

struct SharedState;

// The settings file's name, found in the program's directory or the user's data folder.
inline constexpr QStringView kSettingsFileName = u"Personal.Mtg";

// Where the settings file lives: beside the program when the program's directory can be written
// to, otherwise in the user's application-data folder (created when missing). A read-only
// program directory is usual for installed programs, and settings that could never be saved
// would be lost at the end of every run. An installed program (see IsInstalledProgram) always
// uses the data folder, even when it could write beside itself: run as root it would otherwise
// leave a file in the system's program folder that no package owns. With no data folder it
// gets an empty path, which nothing is read from or written to.
QString SettingsFilePath(const QString& programDir);

// Where the settings are read from: the file at savePath (SettingsFilePath's answer) when there is
// one, else the file in the other of the two places, beside the program or in the user's data
// folder, so settings saved before the program folder became read-only (or writable) are found.
// With neither file there it is savePath.
QString SettingsReadPath(const QString& programDir, const QString& savePath);

// Reads items 1 to 4 into PrinterFontChoice, OwnerName, CurrencySymbol and CompoundChoice, in
// that order, then gives an empty CurrencySymbol the "$". Only the first line is read, and only
// its first 64 KiB; further items on the line are ignored.
//
// The first item that cannot be taken ends the reading: a missing file, a line with fewer than
// four items, a quoted string without its closing quote, text after a closing quote, bytes that
// are not UTF-8, control characters, an empty or non-numeric item where a number is due, a
// number outside the 16-bit range, or an item cut by the length limit. The items before it keep
// their new values and the rest keep their current ones; no value is ever taken half-read.
void LoadSettings(SharedState& state, const QString& path);

// Writes the one line of the four items, replacing the previous file as a whole: the new line is
// written to a temporary file that takes the old one's place only when complete, so a failure
// half-way leaves the previous settings intact. Returns false on any failure.
//
// A symbolic link in the settings file's place is written through only when the link (every
// link on the way) and the file it leads to belong to the user running the program and that
// file is a regular one. Any other link (to another user's file, to a device, to nothing) is
// left as it is, with what it points to, and the save fails.
//
// The format has no way to quote a double quote inside a string, so each '"' of the name or the
// symbol is written as an apostrophe ('), and a control character (which a name typed into a
// single-line box does not hold, but a pasted one might) as a blank; the line always reads back.
bool SaveSettings(const SharedState& state, const QString& path);

// Removes what saves killed half-way left behind: the temporary files named after the settings
// file and a dot and six characters, beside the file a save would write. Only regular files of
// the user's own that are older than an hour go, so a save running in a second copy of the
// program at the same moment is never touched; links, folders and other users' files stay.
void RemoveLeftoverSaveFiles(const QString& path);

} // namespace qb
