#include "desktop/platform/helpviewer.h"

#include "core/program/programfolder.h"
#include "desktop/platform/screenfit.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace qb {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("How to Use the Program"));
    setWindowModality(Qt::NonModal);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpText"));
    // Links inside the document move to their section; the help has no business opening
    // anything outside it.
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    FitOnScreen(*this, QSize(800, 600));

    // Esc puts the help away, as it does a dialog.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

QString HelpViewer::HelpFilePath() {
    return ::qb::HelpFilePath(QCoreApplication::applicationDirPath());
}

void HelpViewer::showHelp(const QString& path) {
    load(path);
    showMaximized();
    raise();
    activateWindow();
}

void HelpViewer::load(const QString& path) {
    const QFileInfo info(path);
    const QString name =
        info.fileName().isEmpty() ? QStringLiteral("Corvathe.hlp") : info.fileName();
    const QString tooLarge = QStringLiteral("The help file %1 is too large to be shown.").arg(name);
    const QString unreadable = QStringLiteral("The help file %1 could not be read.").arg(name);
    if (!info.exists()) {
        m_browser->setPlainText(
            QStringLiteral("The help file %1 was not found beside the program.").arg(name));
        return;
    }
    if (info.isDir()) {
        m_browser->setPlainText(unreadable);
        return;
    }
    if (info.size() > kMaxFileSize) {
        m_browser->setPlainText(tooLarge);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_browser->setPlainText(unreadable);
        return;
    }
    // The size is checked again on the bytes themselves: the file may have grown since.
    const QByteArray html = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        m_browser->setPlainText(unreadable);
        return;
    }
    if (html.size() > kMaxFileSize) {
        m_browser->setPlainText(tooLarge);
        return;
    }
    m_browser->setHtml(QString::fromUtf8(html));
}

} // namespace qb
