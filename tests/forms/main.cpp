// Entry point of the form tests: a widgets application (offscreen under CTest) around
// GoogleTest. "--lock-probe FOLDER" instead makes this a second copy of the program that
// only tries the single-instance lock in FOLDER (exit 1 when refused, with the message on
// standard output).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "forms/lock.h"
#include "qwellib/dialogs.h"

namespace {
class PrintingHost : public qwel::DialogHost {
public:
    void message(const QString&, const QString& text) override { std::printf("%s\n", qUtf8Printable(text)); }
    char ask_ync(const QString&, const QString&) override { return 'C'; }
    bool ask_yes(const QString&, const QString&) override { return false; }
    int ask_choice(const QString&, const QString&, const QString&) override { return 0; }
    bool ask_text(const QString&, const QString&, QString&, int, qwel::InputKind) override { return false; }
    bool ask_date(const QString&, qwel::Date&) override { return false; }
    bool pick_folder(const QString&, QString&) override { return false; }
    void flash_show(const QString&, bool) override {}
    void flash_hide() override {}
    void flash_start_timer(int) override {}
    void flash_stop_timer() override {}
    void set_busy_cursor(bool) override {}
    void stop_application(qwel::StopKind, int) override {}
};
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--lock-probe") == 0) {
        PrintingHost host;
        qwel::install_dialog_host(&host);
        qwel::set_app_title(QStringLiteral("mintor"));
        const bool running = mintor::forms::instance_already_running(QString::fromLocal8Bit(argv[2]), qwel::app_title());
        std::fflush(stdout);
        return running ? 1 : 0;
    }
    // offscreen unless told otherwise (CTest sets it; test discovery at build time does not)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qwel::set_app_title(QStringLiteral("mintor"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
