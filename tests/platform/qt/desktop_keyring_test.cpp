// The mail login in a real keyring: a private session bus and GNOME Keyring's secret service,
// started for these tests in a temporary home, so the user's own keyring is never touched.
#include "platform/qt/desktop_keyring.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace vc {
namespace {

class DesktopKeyringTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        originalBus_ = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        home_ = new test::tTempDir();
        const QString root = QString::fromStdString(home_->Path().string());
        QDir(root).mkpath(QStringLiteral("run"));
        QFile::setPermissions(root + QStringLiteral("/run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), root);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/run"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/data"));

        bus_ = new QProcess();
        bus_->setProcessEnvironment(environment);
        bus_->start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                    QStringLiteral("--print-address=1")});
        if (!bus_->waitForReadyRead(10000)) {
            skipReason_ = "no dbus-daemon: " + bus_->errorString().toStdString();
            return;
        }
        address_ = bus_->readLine().trimmed();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromLatin1(address_));

        // Unlocking with a password creates the login keyring, which becomes the default one.
        QProcess keyring;
        keyring.setProcessEnvironment(environment);
        keyring.start(QStringLiteral("gnome-keyring-daemon"),
                      {QStringLiteral("--unlock"), QStringLiteral("--components=secrets"),
                       QStringLiteral("--daemonize"),
                       QStringLiteral("--control-directory=") + root + QStringLiteral("/run/keyring")});
        keyring.write("test-password");
        keyring.closeWriteChannel();
        if (!keyring.waitForFinished(10000) || keyring.exitCode() != 0) {
            skipReason_ =
                "gnome-keyring-daemon did not start: " + keyring.readAllStandardError().toStdString();
            return;
        }
        keyringPid_ = QString::fromLatin1(keyring.readAllStandardOutput())
                          .section(QStringLiteral("GNOME_KEYRING_PID="), 1)
                          .section(QLatin1Char('\n'), 0, 0)
                          .trimmed()
                          .toLongLong();
    }

    static void TearDownTestSuite() {
        if (keyringPid_ > 0) {
            QProcess::execute(QStringLiteral("kill"), {QString::number(keyringPid_)});
        }
        if (bus_ != nullptr) {
            bus_->terminate();
            bus_->waitForFinished(5000);
            delete bus_;
            bus_ = nullptr;
        }
        delete home_;
        home_ = nullptr;
        if (originalBus_.isNull()) {
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        } else {
            qputenv("DBUS_SESSION_BUS_ADDRESS", originalBus_);
        }
    }

    void SetUp() override {
        if (!skipReason_.empty()) {
            FAIL() << skipReason_;
        }
        qputenv("DBUS_SESSION_BUS_ADDRESS", address_);
    }

    static inline test::tTempDir* home_ = nullptr;
    static inline QProcess* bus_ = nullptr;
    static inline QByteArray address_;
    static inline QByteArray originalBus_;
    static inline qint64 keyringPid_ = 0;
    static inline std::string skipReason_;
    tDesktopKeyring keyring;
};

TEST_F(DesktopKeyringTest, KeepsOneLoginPerServer) {
    std::string error;
    tSecretLogin login;
    EXPECT_FALSE(keyring.Find("smtp.example.test:587", login, error));
    EXPECT_EQ(error, "");

    ASSERT_TRUE(keyring.Save("smtp.example.test:587", {"pat@example.test", "s3cret|with spaces"}, error))
        << error;
    ASSERT_TRUE(keyring.Save("other.example.test:465", {"sam", "other"}, error)) << error;
    ASSERT_TRUE(keyring.Find("smtp.example.test:587", login, error)) << error;
    EXPECT_EQ(login.User, "pat@example.test");
    EXPECT_EQ(login.Password, "s3cret|with spaces");

    // Saving again replaces the login, also under another user name.
    ASSERT_TRUE(keyring.Save("smtp.example.test:587", {"kim", "new"}, error)) << error;
    ASSERT_TRUE(keyring.Find("smtp.example.test:587", login, error));
    EXPECT_EQ(login.User, "kim");
    EXPECT_EQ(login.Password, "new");

    ASSERT_TRUE(keyring.Remove("smtp.example.test:587", error)) << error;
    EXPECT_FALSE(keyring.Find("smtp.example.test:587", login, error));
    ASSERT_TRUE(keyring.Find("other.example.test:465", login, error)) << "the other server keeps its login";
    EXPECT_EQ(login.User, "sam");
}

TEST_F(DesktopKeyringTest, WithoutASessionBusNothingIsKept) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home_->Path().string() + "/nowhere"));
    std::string error;
    tSecretLogin login;
    EXPECT_FALSE(keyring.Save("smtp.example.test:587", {"pat", "pw"}, error));
    EXPECT_EQ(error, "no desktop keyring is running (there is no session bus)");
    error.clear();
    EXPECT_FALSE(keyring.Find("smtp.example.test:587", login, error));
    EXPECT_FALSE(error.empty());
    if (runtime.isNull()) {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
}

} // namespace
} // namespace vc
