// One QApplication for every test of a GUI test program.
#pragma once

#include <QApplication>

namespace kolibra::test {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "kolibra_gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

}  // namespace kolibra::test
