// One QApplication for every test of a GUI test program. A dialog whose
// code misses a control, or finds one of the wrong kind, aborts the test.
#pragma once

#include "common/qt/dialog_builder.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace kolibra::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "kolibra_gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        set_strict_control_checks(true);
        // The windows remember choices in the user's settings: a test run
        // keeps its own, empty at the start, and never touches the user's.
        static QTemporaryDir settings;
        setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
        return new QApplication(argc, argv);
    }();
    return *application;
}

}  // namespace kolibra::test
