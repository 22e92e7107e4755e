/* Mintor ledger, schema version 34: the empty starting point that the program
   initialises to the current version when it first opens the file.
   Character set NONE: text columns hold bytes as written, widths count bytes. */

create table param (
  pmid integer not null primary key,
  pmstr varchar(255),
  pmint integer
);

create table account (
  id integer not null primary key,
  name varchar(40),
  ccy char(3),
  desig varchar(20),
  type2 integer,
  btype integer,
  isgrp smallint,
  grpid integer,
  bfdbal bigint,
  bfdval bigint,
  reconciled varchar(10),
  opendate integer,
  closedate integer,
  rprts timestamp,
  allownegbal smallint,
  allowposbal smallint,
  sweepto integer,
  accwith integer,
  cptypays smallint,
  cptyrcvs smallint,
  payerdftpot integer,
  payeedftpot integer,
  dmtlock smallint,
  note varchar(32000),
  createts timestamp,
  editts timestamp,
  fav smallint,
  pottype integer,
  path varchar(255),
  "_bfd" bigint,
  "_balto" integer
);
create index account_grpid on account (grpid);
create index account_type2 on account (type2);

create table txn (
  id integer not null primary key,
  instance integer,
  txndate integer,
  date2 integer,
  actualtxndate integer,
  amt bigint,
  ccy char(3),
  val bigint,
  rate double precision,
  "type" char(1),
  ref varchar(20),
  narrative varchar(40),
  cancelled smallint,
  rprts timestamp,
  accid1 integer,
  accid2 integer,
  accid3 integer,
  accid4 integer,
  createts timestamp,
  editts timestamp,
  masterid integer,
  dpdate smallint,
  chnum integer,
  batchnum integer,
  createdate integer,
  createtime integer
);
create index txn_txndate on txn (txndate);
create index txn_masterid on txn (masterid);
create index txn_batchnum on txn (batchnum);

create table pstg (
  txnid integer not null,
  objid integer not null,
  amt bigint,
  val bigint,
  recamt bigint,
  contra integer,
  pstgdate integer,
  reconcode smallint,
  rngbal bigint,
  rprts timestamp,
  txntype char(1),
  dppstgdate smallint,
  dprngbal smallint,
  chnum integer,
  ccy char(3),
  batchnum integer,
  seq integer,
  constraint pstg_pk primary key (txnid, objid)
);
create index pstg_obj_date on pstg (objid, pstgdate);
create index pstg_date on pstg (pstgdate);

create table rptr (
  id integer not null primary key,
  startdate integer,
  enddate integer,
  freq char(1),
  rptinc integer,
  rptct integer,
  gento integer,
  rptactive smallint,
  amt bigint,
  ccy char(3),
  "type" char(1),
  ref varchar(20),
  narrative varchar(40),
  accid1 integer,
  accid2 integer,
  accid3 integer,
  accid4 integer,
  chnum integer,
  rmdays integer,
  rprts timestamp,
  createts timestamp,
  editts timestamp
);

create table remdr (
  id integer not null primary key,
  txnid integer,
  text varchar(255),
  rmdate integer,
  tgdate integer
);
create index remdr_txnid on remdr (txnid);

create table ccy (
  id char(3) not null primary key,
  "NAME" varchar(40),
  base smallint
);

create table rate (
  ccycode char(3) not null,
  rdate integer not null,
  rate double precision,
  constraint rate_ccy_date unique (ccycode, rdate)
);

create table channel (
  chnum integer not null primary key,
  accid integer,
  chname varchar(20),
  chnote varchar(32000),
  chsts integer,
  chtype char(1)
);
create index channel_accid on channel (accid);

create table ttemplate (
  txnid integer,
  ttname varchar(255)
);

create table cptyctgy (
  cptyid integer,
  ctgyid integer,
  purchsale char(1),
  hidden smallint,
  rprts timestamp
);
create index cptyctgy_cpty on cptyctgy (cptyid, ctgyid);

create table movte (
  objid integer,
  firstpstgdate integer,
  lastpstgdate integer
);
create index movte_objid on movte (objid);

/* Work and result tables of the rebalance: amounts default to 0 so that rows
   inserted with only some columns add up; the posting dates have no default
   (null until a statement sets them). */
create table movtf (
  accid integer,
  ccy char(3),
  amtval char(1),
  bfd bigint default 0,
  prepdnet bigint default 0,
  pdpayts bigint default 0,
  pdrcpts bigint default 0,
  pdtfrs bigint default 0,
  firstpstgdate integer,
  lastpstgdate integer
);
create index movtf_accid on movtf (accid, ccy, amtval);

create table movtg (
  accid integer,
  ccy char(3),
  amtval char(1),
  bfd bigint default 0,
  prepdnet bigint default 0,
  pdpayts bigint default 0,
  pdrcpts bigint default 0,
  pdtfrs bigint default 0,
  firstpstgdate integer,
  lastpstgdate integer,
  pdbfd bigint default 0,
  pdcfd bigint default 0
);
create index movtg_accid on movtg (accid, ccy, amtval);

create table accingrp (
  accid integer,
  grpid integer
);
create index accingrp_accid on accingrp (accid);
create index accingrp_grpid on accingrp (grpid);

/* Monthly analysis work and result tables. */
create table mthly (
  accid integer,
  mth integer default 0,
  mory char(1),
  mtot bigint default 0,
  ytot bigint default 0
);
create index mthly_accid on mthly (accid, mth);

create table mthlyf (
  grpid integer,
  mth integer default 0,
  mory char(1),
  mtot bigint default 0
);

create table miny (
  accid integer,
  yr integer default 0,
  mth integer default 0,
  mtot bigint default 0
);

insert into param (pmid, pmstr, pmint) values (1, 'dbvn', 34);
insert into param (pmid, pmstr, pmint) values (2, 'dbstartdate', 0);
insert into param (pmid, pmstr, pmint) values (3, 'dbenddate', 0);
insert into param (pmid, pmstr, pmint) values (5, 'lastaccid', 0);
commit;
