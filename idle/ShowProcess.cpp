#include "idle/ShowProcess.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace {
constexpr int kEndWaitMs = 5000;
}

ShowProcess::ShowProcess(QObject *parent)
    : QObject(parent)
{
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.setStandardInputFile(QProcess::nullDevice());
    connect(&process_, &QProcess::finished, this, &ShowProcess::ended);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        std::fprintf(stderr, "vistello-idle: cannot start %s: %s\n", qPrintable(program_),
                     qPrintable(process_.errorString()));
        Q_EMIT ended();
    });
}

QString ShowProcess::findProgram(const QString &hostFolder)
{
    const QFileInfo beside(hostFolder + "/Vistello");
    if (beside.isFile() && beside.isExecutable())
        return beside.absoluteFilePath();
    return QStandardPaths::findExecutable("Vistello");
}

void ShowProcess::start()
{
    process_.start(program_, {"/s"});
}

void ShowProcess::end()
{
    if (!running())
        return;
    process_.terminate();
    if (!process_.waitForFinished(kEndWaitMs)) {
        process_.kill();
        process_.waitForFinished(kEndWaitMs);
    }
}
