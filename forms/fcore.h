#pragma once
// TFCore: the non-visual core form. It owns the ledger core (one connection, its long
// transaction and settings) and the simclick timer. Created after the first group of forms;
// its creation reads mintor.ini and chooses the ledger.

#include <QObject>
#include <QPointer>
#include <memory>

#include "core/core.h"

class QTimer;
class QWidget;

namespace mintor::forms {

class TFCore : public QObject {
    Q_OBJECT
public:
    // read_ini: read mintor.ini and choose the ledger (the program's start); tests pass false.
    explicit TFCore(const QString& program_folder = QString(), bool read_ini = true, QObject* parent = nullptr);
    ~TFCore() override;

    Core core;

    // Simclick: whether the Debug item is ticked, and the form it will click under.
    bool simclick_on = true;
    void simclick_after_show(QWidget* form);
    QTimer* Timer1;

private:
    void Timer1Timer();
    QPointer<QWidget> simclick_form_;
};

extern TFCore* FCore;
// The core of the running program; null before TFCore exists.
Core* app_core();

}  // namespace mintor::forms
