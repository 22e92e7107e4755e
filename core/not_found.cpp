#include "core/not_found.h"

#include "qwellib/dialogs.h"

namespace mintor {

void report_not_found(const QString& kind, int id, int id2) {
    QString text = kind + QStringLiteral(" not found ") + QString::number(id);
    if (id2 > 0) text += QStringLiteral(" ") + QString::number(id2);
    qwel::show_msg(text);
}

}  // namespace mintor
