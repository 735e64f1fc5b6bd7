#pragma once

#include <QApplication>
#include <QTest>

// Permission faults (an unreadable folder, a read-only file) only bite a process that the
// kernel checks: root reads and writes through any mode bits. A suite started as root
// therefore gives up root before anything else runs and lives as an ordinary user; started
// as an ordinary user it stays as it is.
namespace UnprivilegedRun {

// False when the process is root and cannot leave it.
bool dropRoot();

} // namespace UnprivilegedRun

#define FAULTS_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        if (!UnprivilegedRun::dropRoot())                                                          \
            return 1;                                                                              \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
