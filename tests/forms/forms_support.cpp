#include "forms_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "forms/mydbgridb.h"

namespace forms_testing {

void on_next_modal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, started, act = std::move(act)] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        } else if (started->elapsed() > 15000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog showed";
        }
    });
    timer->start();
}

void click(QWidget* w, const char* name) {
    auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

void FormsTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    folder = dir_.path() + QStringLiteral("/");
    mintor::forms::open_forms_ini(folder + QStringLiteral("FORMS.INI"));
}

void FormsTest::TearDown() { mintor::forms::close_forms_ini(); }

}  // namespace forms_testing
