#pragma once
// Shared set-up of the transaction maintenance tests: the posting-rule ledger (posting_fixture.h)
// with helpers to store transactions, protect postings (freeze date, reconciled dates), make
// a statement fail inside the server, and take a picture of everything an operation could
// change, to prove that a refused or failed operation changed nothing.

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include "core/transactions.h"
#include "core/txn_write.h"
#include "posting_fixture.h"

namespace posting_testing {

class MaintenanceTest : public PostingTest {
public:
    using PostingTest::core;  // the case tables run operations on it

    // Stores and posts the record; its id.
    int stored(TTxn t) {
        EXPECT_TRUE(mintor::save_txn(core(), t));
        return t.id;
    }
    // A base-currency payment Bank -> Shop charged to Food, on txndate with a posting date.
    TTxn payment(qint64 amt, Date txndate, Date date2 = {}) {
        TTxn t = txn('P', bank, shop, food, amt, txndate);
        t.date2 = date2;
        return t;
    }
    TTxn read(int id) {
        TTxn t;
        EXPECT_TRUE(mintor::read_txn(core(), id, t)) << id;
        return t;
    }

    void freeze_before(int yyyymmdd) { core().settings.freeze_before = yyyymmdd; }
    void reconcile(int accid, const QString& date) {
        sql("update account set reconciled = '" + date + "' where id = " + QString::number(accid));
    }
    void close_acc(int accid, int yyyymmdd) {
        sql("update account set closedate = " + QString::number(yyyymmdd) + " where id = " + QString::number(accid));
    }

    // Every row of the tables the maintenance operations write, as text.
    QString snapshot() {
        QString out;
        const char* tables[] = {"select * from txn order by id",
                                "select * from pstg order by txnid, objid",
                                "select id, name, ccy, type2, accwith, reconciled, opendate, closedate, fav from account "
                                "order by id",
                                "select * from ttemplate order by txnid",
                                "select * from rptr order by id",
                                "select * from remdr order by id"};
        for (const char* sql_text : tables) {
            QSqlQuery q = mintor::open_query(core(), QString::fromLatin1(sql_text));
            while (q.next()) {
                for (int i = 0; i < q.record().count(); ++i) out += q.value(i).toString() + QLatin1Char('|');
                out += QLatin1Char('\n');
            }
            out += QStringLiteral("--\n");
        }
        return out;
    }

    // From now on the server refuses statements: a trigger on the table raises an exception
    // when the condition (over new. or old. columns) holds. Committed, so it is in force.
    void fail_when(const QString& table, const QString& event, const QString& condition) {
        ++triggers_;
        if (triggers_ == 1) sql("create exception mt_refused 'refused by the test'");
        sql(QStringLiteral("create trigger mt_fail%1 for %2 %3 as begin if (%4) then exception mt_refused; end")
                .arg(triggers_)
                .arg(table, event, condition));
        mintor::commit_work(core());
    }

    // The one message a failed operation shows: the database error report.
    bool reported_one_database_error() {
        const QStringList m = host.messages();
        return m.size() == 1 && m[0].startsWith(QStringLiteral("EDatabaseError"));
    }

private:
    int triggers_ = 0;
};

// The text of a freeze warning and of a reconciled-balance warning, as first asked.
inline QString freeze_question() {
    return QStringLiteral("Posting is on/before account posting freeze date\rContinue to add/amend/delete transaction - "
                          "are you sure ?");
}
inline QString reconciled_question(const QString& name) {
    return QStringLiteral("Reconciled balance for account \"") + name +
           QStringLiteral("\"will be altered!\rContinue to add/amend/delete transaction - are you sure ?");
}
inline QString really_sure() { return QStringLiteral("... really really sure ?"); }

}  // namespace posting_testing
