#include "smtp_process.h"

#include "support/temp_dir.h"

namespace vc::test {

namespace {

QString SmtpFolder() {
    return QString::fromStdString((FixturePath("smtp")).string());
}

} // namespace

QString SmtpTestCertificate() {
    return SmtpFolder() + QStringLiteral("/test_cert.pem");
}

QString SmtpTestKey() {
    return SmtpFolder() + QStringLiteral("/test_key.pem");
}

tSmtpProcess::~tSmtpProcess() {
    Stop();
}

bool tSmtpProcess::Start(const QStringList& options) {
    const QString script = QString::fromStdString(
        (FixturePath("").parent_path().parent_path() / "support" / "smtp" / "smtp_server.py")
            .lexically_normal()
            .string());
    process_.setProgram(QStringLiteral("/usr/bin/python3"));
    process_.setArguments(QStringList{script, QStringLiteral("--port"), QStringLiteral("0")} + options);
    process_.start();
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start /usr/bin/python3: ") + process_.errorString();
        return false;
    }
    while (!output_.contains('\n')) {
        if (!process_.waitForReadyRead(10000)) {
            error_ = QStringLiteral("no port line; stderr: ") +
                     QString::fromLocal8Bit(process_.readAllStandardError());
            return false;
        }
        output_ += process_.readAllStandardOutput();
    }
    const QByteArray first = output_.left(output_.indexOf('\n'));
    output_.remove(0, first.size() + 1);
    bool ok = false;
    port_ = first.startsWith("port ") ? first.mid(5).trimmed().toUShort(&ok) : 0;
    if (!ok || port_ == 0) {
        error_ = QStringLiteral("bad port line: ") + QString::fromLocal8Bit(first);
        return false;
    }
    return true;
}

void tSmtpProcess::Stop() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QList<QByteArray> tSmtpProcess::Events() {
    // The server writes each event before it answers the command, so whatever the client has seen
    // is in the pipe already; a short wait only collects it.
    while (process_.state() == QProcess::Running && process_.waitForReadyRead(100)) {
        output_ += process_.readAllStandardOutput();
    }
    output_ += process_.readAllStandardOutput();
    QList<QByteArray> lines = output_.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.pop_back();
    }
    return lines;
}

QByteArray tSmtpProcess::Message(int n) {
    int seen = 0;
    for (const QByteArray& line : Events()) {
        if (line.startsWith("DATA ") && seen++ == n) {
            return QByteArray::fromHex(line.mid(5));
        }
    }
    return {};
}

} // namespace vc::test
