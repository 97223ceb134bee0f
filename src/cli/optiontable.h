// The options of a command, declared once in a table: each option's name, the name of its value,
// its limits, its --help text and how its value is read. The commands read their arguments and
// print their --help lists from these tables, and a test holds the manual page to them.
#pragma once

#include "cli/usageerror.h"

#include <QString>
#include <QStringView>

#include <span>

namespace qb {

template <typename Target> struct Option {
    QStringView name;  // without "--"
    QStringView value; // the value as --help and the manual page name it: AMOUNT, text|csv|json
    // The description --help shows beside the name, its lines broken with '\n'; {least} and
    // {most} stand for the limits.
    QStringView help;
    // Checks value and keeps it in target; throws UsageError when it is refused.
    void (*apply)(const Option& option, const QString& value, Target& target);
    int least = 0; // the limits of a number, or the longest a text may be
    int most = 0;

    QString flag() const { return QStringLiteral("--%1").arg(name); }
};

template <typename Target> using OptionTable = std::span<const Option<Target>>;

template <typename Target>
const Option<Target>* FindOption(OptionTable<Target> table, QStringView name) {
    for (const Option<Target>& option : table) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

// Reads the value of the option name into target; false when the table has no such option.
template <typename Target>
bool ApplyOption(OptionTable<Target> table, QStringView name, const QString& value,
                 Target& target) {
    const Option<Target>* option = FindOption(table, name);
    if (!option)
        return false;
    option->apply(*option, value, target);
    return true;
}

// The position of value among the names an option's value lists, "text|csv|json" taking text,
// csv or json; any other value is refused: --format: "xml" is not text, csv or json.
int ChoiceOf(QStringView choices, const QString& option, const QString& value);

template <typename Target> int ChoiceOf(const Option<Target>& option, const QString& value) {
    return ChoiceOf(option.value, option.flag(), value);
}

// One option as --help lists it: "  --name VALUE", then the description from the 26th column,
// on the next line when the name is too wide for it.
QString OptionHelpLines(QStringView name, QStringView value, QStringView help, int least = 0,
                        int most = 0);

template <typename Target> QString OptionHelp(OptionTable<Target> table) {
    QString text;
    for (const Option<Target>& option : table)
        text += OptionHelpLines(option.name, option.value, option.help, option.least, option.most);
    return text;
}

// The last line of every command's option list.
QString HelpOptionLine();

} // namespace qb
