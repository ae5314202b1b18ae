-- kelopz.mdb: tables and the rows every new set of books starts with.
--
-- Conventions for every table below:
--   * Text columns are TEXT COLLATE NOCASE, so equality and LIKE inside
--     statements ignore letter case; the program compares case-sensitively
--     itself. They accept Null unless marked NOT NULL: Null (never set)
--     and '' (set to the empty text) are different values.
--   * Money columns hold exact integer cents (12.35 is stored as 1235),
--     are never Null and default to 0.
--   * Voucher numbers (pz_no) are INTEGER, so 9 sorts before 10.
--   * Dates (rq) are TEXT in ISO form 'YYYY-MM-DD'.
--   * Accounting periods (kjqj) are TEXT 'YYYY年MM月', eight characters
--     with a two-digit month, so text order is time order.
--   * Every table keeps its rowid: rows are written back by rowid.
--     There are no keys, foreign keys or triggers: uniqueness and the
--     other rules are checked and reported by the program itself.

------------------------------------------------------------------------
-- Company record: exactly one row, only ever updated.
CREATE TABLE dwmc (
    dw_name    TEXT COLLATE NOCASE NOT NULL,  -- company name (up to 40), heads reports and the main caption
    frdb       TEXT COLLATE NOCASE,           -- user's name (up to 6)
    dw_address TEXT COLLATE NOCASE,           -- contact address (up to 40)
    yzbm       TEXT COLLATE NOCASE,           -- postcode (up to 6)
    lxdh       TEXT COLLATE NOCASE            -- telephone (up to 15)
);

-- Setting flags: one row per item code, only ever updated.
--   'sjcsh'  bj = '1'  : data initialisation has cleared the books
--            qyqj = 'js': data initialisation has ended
--   'qykjqj' bj = '1'  : the first accounting period has been set
--            qyqj      : that first period ('YYYY年MM月')
-- Any other value, Null included, means "not set".
CREATE TABLE qy (
    cdxm TEXT COLLATE NOCASE NOT NULL,  -- item code
    bj   TEXT COLLATE NOCASE,           -- flag
    qyqj TEXT COLLATE NOCASE            -- second flag / first period
);

-- Current accounting period: exactly one row, only ever updated.
CREATE TABLE dqkjqj (
    kjnd TEXT COLLATE NOCASE,  -- accounting year: 'YYYY年' after the first-period setting, bare 'YYYY' after a closing
    kjqj TEXT COLLATE NOCASE   -- current period 'YYYY年MM月'; '' until the first period is set
);

-- Operators: the people who may log in.
CREATE TABLE czy (
    czyno    TEXT COLLATE NOCASE NOT NULL,  -- operator number, the login code (up to 6); unique by the program's checks
    czyname  TEXT COLLATE NOCASE NOT NULL,  -- operator name (up to 6)
    lxdh     TEXT COLLATE NOCASE,           -- telephone (up to 20); Null when none was given
    password TEXT COLLATE NOCASE            -- login password, compared case-sensitively by the program
);
CREATE INDEX czy_czyno ON czy (czyno);

-- Chart of accounts.
CREATE TABLE kmdmk (
    km_no   TEXT COLLATE NOCASE NOT NULL,  -- account code (up to 4); unique by the program's checks
    km_zjf  TEXT COLLATE NOCASE NOT NULL,  -- pinyin initials of the name (up to 15)
    km_name TEXT COLLATE NOCASE NOT NULL,  -- account name (up to 30)
    km_page TEXT COLLATE NOCASE            -- general-ledger page number (up to 4); optional
);
CREATE INDEX kmdmk_km_no ON kmdmk (km_no);

-- General-ledger opening balances, one row per account and period.
-- Rows entered by hand carry djh 'CSH' + YYYYMMDD + 4-digit sequence;
-- rows carried forward by a period closing leave djh, rq and kjnd Null.
CREATE TABLE zzqcye (
    djh     TEXT COLLATE NOCASE,           -- document number (15 characters) or Null
    km_no   TEXT COLLATE NOCASE,           -- account code, copied from kmdmk
    km_zjf  TEXT COLLATE NOCASE,           -- pinyin initials, copied from kmdmk
    km_name TEXT COLLATE NOCASE,           -- account name, copied from kmdmk
    qcje    INTEGER NOT NULL DEFAULT 0,    -- opening balance in cents: debit positive, credit negative
    rq      TEXT COLLATE NOCASE,           -- day the row was saved, 'YYYY-MM-DD'
    kjnd    TEXT COLLATE NOCASE,           -- accounting year as dqkjqj held it
    kjqj    TEXT COLLATE NOCASE            -- period this balance opens, 'YYYY年MM月'
);
CREATE INDEX zzqcye_km_no ON zzqcye (km_no);
CREATE INDEX zzqcye_kjqj ON zzqcye (kjqj);

-- Voucher lines of the current period; a voucher is the set of lines
-- sharing one pz_no.
CREATE TABLE pzk (
    rq      TEXT COLLATE NOCASE,           -- voucher date, 'YYYY-MM-DD'
    pz_no   INTEGER,                       -- voucher number
    km_no   TEXT COLLATE NOCASE,           -- account code
    km_zjf  TEXT COLLATE NOCASE,           -- pinyin initials
    km_name TEXT COLLATE NOCASE,           -- account name
    kjqj    TEXT COLLATE NOCASE,           -- period, 'YYYY年MM月'
    jfje    INTEGER NOT NULL DEFAULT 0,    -- debit amount in cents
    dfje    INTEGER NOT NULL DEFAULT 0,    -- credit amount in cents
    bz      TEXT COLLATE NOCASE            -- remark (never written for current lines)
);
CREATE INDEX pzk_km_no ON pzk (km_no);
CREATE INDEX pzk_pz_no ON pzk (pz_no);
-- Month end sums the lines per account: walking this index, which holds every
-- column those sums read, spares sorting the whole month.
CREATE INDEX pzk_account ON pzk (km_no, km_name, km_zjf, kjqj, jfje, dfje);

-- Voucher lines of closed periods: the columns of pzk; bz is '已结转'.
CREATE TABLE pzkls (
    rq      TEXT COLLATE NOCASE,           -- voucher date, 'YYYY-MM-DD'
    pz_no   INTEGER,                       -- voucher number
    km_no   TEXT COLLATE NOCASE,           -- account code
    km_zjf  TEXT COLLATE NOCASE,           -- pinyin initials
    km_name TEXT COLLATE NOCASE,           -- account name
    kjqj    TEXT COLLATE NOCASE,           -- the line's period, 'YYYY年MM月'
    jfje    INTEGER NOT NULL DEFAULT 0,    -- debit amount in cents
    dfje    INTEGER NOT NULL DEFAULT 0,    -- credit amount in cents
    bz      TEXT COLLATE NOCASE            -- remark: '已结转'
);
CREATE INDEX pzkls_kjqj ON pzkls (kjqj);

-- Per-voucher debit and credit totals of the current period, rebuilt by
-- the period status window and by the closing gate.
CREATE TABLE pzktemp (
    pz_no INTEGER,                         -- voucher number
    jfhj  INTEGER NOT NULL DEFAULT 0,      -- debit total in cents
    dfhj  INTEGER NOT NULL DEFAULT 0       -- credit total in cents
);

-- Summary working rows of the current period: one row per opening
-- balance of the period (pz_no Null, jfje/dfje 0) and one per voucher
-- line (qcje 0); grouped by account when shown.
CREATE TABLE pzhzk (
    kjqj    TEXT COLLATE NOCASE,           -- period, 'YYYY年MM月'
    pz_no   INTEGER,                       -- voucher number; Null on opening-balance rows
    km_no   TEXT COLLATE NOCASE,           -- account code
    km_zjf  TEXT COLLATE NOCASE,           -- pinyin initials
    km_name TEXT COLLATE NOCASE,           -- account name
    qcje    INTEGER NOT NULL DEFAULT 0,    -- opening amount in cents (credit negative)
    jfje    INTEGER NOT NULL DEFAULT 0,    -- debit amount in cents
    dfje    INTEGER NOT NULL DEFAULT 0     -- credit amount in cents
);

-- Per-account summaries of closed periods; bz is '已结转'.
CREATE TABLE pzhzkls (
    km_no   TEXT COLLATE NOCASE,           -- account code
    km_zjf  TEXT COLLATE NOCASE,           -- pinyin initials
    km_name TEXT COLLATE NOCASE,           -- account name
    kjqj    TEXT COLLATE NOCASE,           -- the closed period, 'YYYY年MM月'
    qcje    INTEGER NOT NULL DEFAULT 0,    -- opening balance in cents
    jfje    INTEGER NOT NULL DEFAULT 0,    -- debit total in cents
    dfje    INTEGER NOT NULL DEFAULT 0,    -- credit total in cents
    qmje    INTEGER NOT NULL DEFAULT 0,    -- closing balance in cents (qcje + jfje - dfje)
    bz      TEXT COLLATE NOCASE            -- remark: '已结转'
);
CREATE INDEX pzhzkls_kjqj ON pzhzkls (kjqj);

-- Scratch summary table, laid out like pzhzk; only emptied (by the start
-- of data initialisation), never read.
CREATE TABLE pzhzktemp (
    kjqj    TEXT COLLATE NOCASE,
    pz_no   INTEGER,
    km_no   TEXT COLLATE NOCASE,
    km_zjf  TEXT COLLATE NOCASE,
    km_name TEXT COLLATE NOCASE,
    qcje    INTEGER NOT NULL DEFAULT 0,
    jfje    INTEGER NOT NULL DEFAULT 0,
    dfje    INTEGER NOT NULL DEFAULT 0
);

------------------------------------------------------------------------
-- Rows a new set of books starts with.

-- The company record, blank until the user fills it in.
INSERT INTO dwmc (dw_name, frdb, dw_address, yzbm, lxdh) VALUES ('', '', '', '', '');

-- The set-up flags, none of them set.
INSERT INTO qy (cdxm, bj, qyqj) VALUES ('sjcsh', '', '');
INSERT INTO qy (cdxm, bj, qyqj) VALUES ('qykjqj', '', '');

-- The current period, empty until the first period is set.
INSERT INTO dqkjqj (kjnd, kjqj) VALUES ('', '');

-- The administrator, with the first password.
INSERT INTO czy (czyno, czyname, lxdh, password) VALUES ('759', '系统管理员', '', '40617');
