// Opening URLs on freedesktop systems (Linux, the BSDs): xdg-open hands them
// to the user's default web browser.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include "shell_open.h"
#include "speed_calc.hpp"

ShellOpener::~ShellOpener() = default;

void ShellOpener::Open(std::uintptr_t /*ownerWindow*/, std::string_view /*verb*/, std::string_view url) {
    // xdg-open has no owner window and always opens; both arguments are the
    // Windows shell's.
    const QString target = QString::fromUtf8(url);

    if (opener_.empty()) {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (found.isEmpty()) throw tarnwick::RunFailure(tarnwick::FailureKind::LibraryLookup);
        opener_ = found.toStdString();
    }

    // Started detached and never through a shell: the URL is one argument,
    // whatever it holds. Whether the browser opens is not looked at.
    QProcess::startDetached(QString::fromStdString(opener_), {target});
}
