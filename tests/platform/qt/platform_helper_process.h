// The platform tests' second process (platform_test_helper.cpp) as a lock holder the test can
// let go of or kill.
#pragma once

#include <QProcess>
#include <QString>
#include <string>

namespace vc::test {

QString PlatformHelperPath();

class tLockHolder {
public:
    // Starts a holder on programDir; applicationName, when given, is the name the holder runs under.
    explicit tLockHolder(const std::string& programDir, const QString& applicationName = {});
    ~tLockHolder();
    tLockHolder(const tLockHolder&) = delete;
    tLockHolder& operator=(const tLockHolder&) = delete;

    // The number the holder reserved (0 for none); -1 when it never said.
    int Number();
    // Lets the holder end normally, giving its lock back.
    void Release();
    // Kills the holder outright: its lock file stays behind.
    void Kill();

private:
    QProcess process_;
    int number_ = -1;
};

} // namespace vc::test
