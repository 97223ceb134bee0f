// Tests for the help window: the real help file shown maximized in its own, non-modal window,
// every contents link leading to a section that exists, a click on a link moving there, and the
// short notes that take the document's place when the file is missing, a folder or too large.
#include "desktop/platform/helpviewer.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

using qb::HelpViewer;

namespace {

const QString kHelpFile = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../help/Corvathe.hlp");

QString readHelpFile() {
    QFile file(kHelpFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList matches(const QString& text, const QString& pattern) {
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

// The anchors the browser itself knows, which is what a click on a link is looked up in.
QSet<QString> documentAnchors(const QTextDocument& document) {
    QSet<QString> names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            for (const QString& name : it.fragment().charFormat().anchorNames())
                names.insert(name);
    return names;
}

// The position of the first link to href, or -1.
int linkPosition(const QTextDocument& document, const QString& href) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorHref() == href)
                return it.fragment().position();
    return -1;
}

QTextBlock blockWithAnchor(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name))
                return block;
    return {};
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

private slots:
    void helpFileShowsMaximizedInItsOwnWindow() {
        HelpViewer viewer;
        viewer.showHelp(kHelpFile);
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.isWindow());
        QVERIFY(viewer.windowState() & Qt::WindowMaximized);
        QCOMPARE(viewer.windowTitle(), QStringLiteral("How to Use the Program"));

        auto* browser = viewer.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
        QVERIFY(browser);
        const QTextDocument& document = *browser->document();
        QVERIFY(document.toPlainText().contains(QStringLiteral("Biweekly(Acc)")));
        QVERIFY(document.toPlainText().contains(QStringLiteral("Personal.Mtg")));

        // The title is a real heading, not text that merely mentions it.
        const QTextBlock first = document.begin();
        QCOMPARE(first.blockFormat().headingLevel(), 1);
        QCOMPARE(first.text().trimmed(), QStringLiteral("How to Use Quillbrook"));
    }

    void escapeClosesTheViewer() {
        HelpViewer viewer;
        viewer.showHelp(kHelpFile);
        QApplication::setActiveWindow(&viewer);
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QTest::keyClick(viewer.browser(), Qt::Key_Escape);
        QVERIFY(!viewer.isVisible());
    }

    void helpFileIsLookedForBesideTheProgram() {
        const QFileInfo path(HelpViewer::HelpFilePath());
        QCOMPARE(path.fileName(), QStringLiteral("Corvathe.hlp"));
        QCOMPARE(path.absolutePath(), QDir(QCoreApplication::applicationDirPath()).absolutePath());
    }

    void everyLinkLeadsToASection() {
        const QString html = readHelpFile();
        QVERIFY2(!html.isEmpty(), qPrintable(kHelpFile));

        const QStringList hrefs = matches(html, QStringLiteral("href\\s*=\\s*\"([^\"]*)\""));
        const QStringList names =
            matches(html, QStringLiteral("\\b(?:name|id)\\s*=\\s*\"([^\"]*)\""));
        QVERIFY2(hrefs.size() >= 10, "the contents list is missing");

        // Every name is given once, so a link cannot land on the wrong one of two sections.
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());

        HelpViewer viewer;
        viewer.showHelp(kHelpFile);
        const QSet<QString> anchors = documentAnchors(*viewer.browser()->document());
        for (const QString& href : hrefs) {
            QVERIFY2(href.startsWith(QLatin1Char('#')),
                     qPrintable(href + QStringLiteral(" leads outside the help")));
            const QString target = href.mid(1);
            QVERIFY2(names.contains(target), qPrintable(href + QStringLiteral(" has no anchor")));
            QVERIFY2(anchors.contains(target),
                     qPrintable(href + QStringLiteral(" has no anchor in the shown document")));
        }

        // Each section of the contents list is one of the document's headings.
        for (const QString& href : hrefs) {
            const QTextBlock block = blockWithAnchor(*viewer.browser()->document(), href.mid(1));
            QVERIFY2(block.blockFormat().headingLevel() > 0,
                     qPrintable(href + QStringLiteral(" does not lead to a heading")));
        }
    }

    void clickingAContentsLinkMovesToItsSection() {
        HelpViewer viewer;
        viewer.showHelp(kHelpFile);
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QTextBrowser* browser = viewer.browser();
        QScrollBar* scroll = browser->verticalScrollBar();
        QCOMPARE(scroll->value(), 0);

        const int position = linkPosition(*browser->document(), QStringLiteral("#messages"));
        QVERIFY(position >= 0);
        QTextCursor cursor(browser->document());
        cursor.setPosition(position + 1);
        const QPoint onLink = browser->cursorRect(cursor).center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, onLink);

        QTRY_VERIFY(scroll->value() > 0);
        const QTextBlock section =
            blockWithAnchor(*browser->document(), QStringLiteral("messages"));
        QVERIFY(section.isValid());
        const QRectF shown =
            browser->document()->documentLayout()->blockBoundingRect(section).translated(
                0, -scroll->value());
        QVERIFY(shown.top() >= -1);
        QVERIFY(shown.top() < browser->viewport()->height());
    }

    void missingFileShowsANoteInsteadOfTheHelp() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        HelpViewer viewer;
        viewer.showHelp(dir.filePath(QStringLiteral("Corvathe.hlp")));
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.browser()->toPlainText(),
                 QStringLiteral("The help file Corvathe.hlp was not found beside the program."));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void folderInPlaceOfTheFileIsNotRead() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Corvathe.hlp")));
        HelpViewer viewer;
        viewer.showHelp(dir.filePath(QStringLiteral("Corvathe.hlp")));
        QCOMPARE(viewer.browser()->toPlainText(),
                 QStringLiteral("The help file Corvathe.hlp could not be read."));
    }

    void oversizedFileIsNotLoaded() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Corvathe.hlp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(HelpViewer::kMaxFileSize + 1));
        file.close();

        HelpViewer viewer;
        viewer.showHelp(path);
        QCOMPARE(viewer.browser()->toPlainText(),
                 QStringLiteral("The help file Corvathe.hlp is too large to be shown."));
    }

    void fileAtTheSizeLimitIsShown() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Corvathe.hlp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray start = "<p>Edge</p>";
        QByteArray body(HelpViewer::kMaxFileSize - start.size(), ' ');
        QCOMPARE(file.write(start + body), HelpViewer::kMaxFileSize);
        file.close();

        HelpViewer viewer;
        viewer.showHelp(path);
        QCOMPARE(viewer.browser()->toPlainText().trimmed(), QStringLiteral("Edge"));
    }

    void showingAgainReadsTheFileAfresh() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Corvathe.hlp"));
        HelpViewer viewer;
        viewer.showHelp(path);
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("not found")));

        QVERIFY(QFile::copy(kHelpFile, path));
        viewer.showHelp(path);
        QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("Biweekly(Acc)")));
        QVERIFY(!viewer.browser()->toPlainText().contains(QStringLiteral("not found")));
    }

    void windowNeitherBlocksNorFollowsTheMenu() {
        QWidget menu;
        menu.show();
        auto* viewer = new HelpViewer(&menu);
        viewer->showHelp(kHelpFile);
        QVERIFY(viewer->isWindow());
        QVERIFY(!viewer->isModal());
        QCOMPARE(viewer->windowModality(), Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(menu.isEnabled());

        // The menu steps aside while a calculation window is open; the help stays up.
        menu.hide();
        QVERIFY(viewer->isVisible());
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
