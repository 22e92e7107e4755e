#pragma once
// The in-memory records of the ledger's rows: an account (Tacc), a period movement (Tmovt),
// a transaction (TTxn), a posting (TPstg) and a repeater master (TRptr). Plain data; the
// record store (accounts.h, txnrows.h, postings.h, repeaters_store.h) reads and writes them.
// Dates are qwel::Date (integer form yyyymmdd in the database, 0 = none, 99999999 = open);
// amounts are minor units; a zero Stamp stands for a null timestamp column.

#include <QChar>
#include <QString>

#include "qwellib/dates.h"

namespace mintor {

constexpr qwel::Date kOpenDateRec{9999, 99, 99};  // integer 99999999

// One account row plus its movte dates. The note is not kept here: see notes.h.
struct Tacc {
    int id = 0;  // 0 = not yet stored
    QString ccy;
    int type2 = 0;
    int btype = 0;     // derived from type2 on every write
    bool isgrp = false;  // derived from type2 on every write
    QString name;
    QString desig;
    QString name_as_read;  // the name when read; callers compare it with name to see a rename
    qint64 bfdbal = 0;
    qint64 bfdval = 0;
    qint64 work_amt = 0;  // work values of the callers; cleared on init, never stored
    int work_int = 0;
    int grpid = 0;
    QString reconciled;  // as stored (yyyy-mm-dd or empty)
    qwel::Date opendate = kOpenDateRec;
    qwel::Date closedate = kOpenDateRec;
    qwel::Date firstpstgdate = kOpenDateRec;  // from movte, read only
    qwel::Date lastpstgdate = kOpenDateRec;
    qwel::Date reconciled_date;  // reconciled parsed as a date
    qwel::Stamp rprts;           // read and written back unchanged
    bool allownegbal = true;
    bool allowzero = true;  // a zero balance is always allowed; not stored
    bool allowposbal = true;
    int accwith = 0;
    bool sweepto = false;
    bool cptypays = false;
    bool cptyrcvs = false;
    int payerdftpot = 0;
    int payeedftpot = 0;
    qwel::Stamp createts;
    qwel::Stamp editts;  // the optimistic-lock token: the stored editts when the record was read
    bool fav = false;
    QString path = QStringLiteral(" ");
};

// One account's period figures in one currency (movtg, amounts in that currency).
struct Tmovt {
    int id = 0;
    int grpid = 0;
    QString ccy;
    qint64 balance = 0;  // bfd + prepdnet + pdpayts + pdrcpts + pdtfrs for types 1, 3, 6; else 0
    qint64 bfd = 0;
    qint64 prepdnet = 0;
    qint64 pdpayts = 0;
    qint64 pdrcpts = 0;
    qint64 pdtfrs = 0;
    QString path;
};

enum class TxnKind : int { Plain = 0, Master = 1, Instance = 2 };

// One txn row, with a copy of its repeater's fields when it is an instance (or a master
// being edited as a transaction).
struct TTxn {
    int id = 0;  // 0 = not yet stored
    QString ccy;
    int masterid = 0;
    int instance = 0;
    TxnKind kind = TxnKind::Plain;
    qwel::Date txndate;
    qwel::Date date2;  // 0 = none; read back as 0 when it equals actualtxndate
    qwel::Date actualtxndate;
    qint64 amt = 0;
    qint64 val = 0;
    double rate = 1.0;
    QChar type = QLatin1Char('P');
    QString ref;
    QString narrative;
    int accid1 = 0, accid2 = 0, accid4 = 0;
    QString accname1, accname2, accname4;
    bool cancelled = false;
    qwel::Stamp createts;
    qwel::Stamp editts;
    int createdate = 0;  // yyyymmdd of createts
    int createtime = 0;  // hhmmss of createts
    bool dpdate = true;
    int chnum = 0;
    QString chname;
    int batchnum = 0;  // -1: open a batch headed by this transaction (its own id is written)
    // repeater fields (copied from the master)
    int gento = 0;
    QChar freq = QLatin1Char(' ');  // 'X' when the master of an instance no longer exists
    qwel::Date startdate;
    qwel::Date enddate;
    bool rptactive = false;
    int rptinc = 0;
    int rptct = 0;
    int rmdays = 0;
};

// One pstg row; the key is (txnid, objid).
struct TPstg {
    int txnid = 0;
    int seq = 0;
    int objid = 0;
    int contra = 0;
    QString ccy;
    qint64 amt = 0;
    qint64 rngbal = 0;  // never written by the record store
    qint64 recamt = 0;
    qint64 val = 0;
    qwel::Date pstgdate;
    int reconcode = 0;
    qwel::Stamp rprts;  // never written by the record store
    QChar txntype = QLatin1Char(' ');
    bool dppstgdate = true;
    bool dprngbal = true;
    int batchnum = 0;
    int chnum = 0;
};

// One rptr row (a repeater master).
struct TRptr {
    int id = 0;
    QString ccy;
    int gento = 0;
    qwel::Date gento_date;  // the date of instance gento, computed when read
    QChar freq = QLatin1Char(' ');
    qwel::Date startdate;
    qwel::Date enddate;
    bool rptactive = false;
    int rptinc = 0;
    int rptct = 0;
    int rmdays = 0;
    qint64 amt = 0;
    QChar type = QLatin1Char(' ');
    QString ref;
    QString narrative;
    int accid1 = 0, accid2 = 0, accid4 = 0;
    QString accname1, accname2, accname4;
    qwel::Stamp createts;
    qwel::Stamp editts;
    int chnum = 0;
};

}  // namespace mintor
