#include "core/core.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>

#include "qwellib/text.h"

namespace mintor {

namespace {
QAtomicInt next_connection = 0;
}

Core::Core(QString folder)
    : program_folder(folder.isEmpty() ? qwel::program_folder() : std::move(folder)),
      connection_name_(QStringLiteral("mintor-core-%1").arg(next_connection.fetchAndAddRelaxed(1))) {
    if (!program_folder.endsWith(QLatin1Char('/'))) program_folder += QLatin1Char('/');
    QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connection_name_);
}

Core::~Core() {
    store.close_queries();
    {
        QSqlDatabase d = QSqlDatabase::database(connection_name_, false);
        if (d.isOpen()) {
            if (d.driver()->hasFeature(QSqlDriver::Transactions)) d.commit();
            d.close();
        }
    }
    QSqlDatabase::removeDatabase(connection_name_);
}

QSqlDatabase Core::db() const { return QSqlDatabase::database(connection_name_, false); }

}  // namespace mintor
