// Month end on a busy month, against a command-line ledger reading the same books.
// Generates one month of two-line vouchers over a chart of accounts in an encrypted books
// file, then times
//   - the summary window's work: the rebuild of pzhzk plus the grouped list;
//   - the closing: the gate's balance test plus the closing itself (each run on a fresh
//     copy of the generated books);
//   - `ledger -f JOURNAL bal` on the same vouchers and opening balances as a text journal;
//   - the closing while another program holds a read transaction on the books, and the
//     gate, the closing and the summary rebuild on freshly opened books while it holds
//     them exclusively: how long until each is refused (one busy wait, whatever the size
//     of the month and the number of statements).
// Prints medians, the ratios to ledger and the peak resident memory of this process.
// Run by hand: ./build/bench_month_end [vouchers] [accounts] [runs]
#include "benchsupport.h"
#include "closing/monthendsteps.h"
#include "closing/periodclose.h"
#include "closing/summary.h"
#include "closing/vouchertotals.h"
#include "db/bookheader.h"
#include "db/mdlstandard.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {
const QString kPeriod = QStringLiteral("2026年03月");

// The generated month, computed the same way in SQL (for the books) and here (for the
// journal): line j (1-based) belongs to voucher (j+1)/2; odd lines debit, even lines credit.
struct Month {
    qint64 vouchers;
    qint64 accounts;
    qint64 debitAccount(qint64 v) const { return (v * 7919) % accounts; }
    qint64 creditAccount(qint64 v) const { return (debitAccount(v) + 1 + (v * 31) % (accounts - 1)) % accounts; }
    qint64 amount(qint64 v) const { return 1 + (v * 104729) % 1000000; }
    int day(qint64 v) const { return int(1 + v % 28); }
    static qint64 opening(qint64 k) { return (k * 7907) % 200001 - 100000; }
    static bool hasOpening(qint64 k) { return k % 50 != 0; } // some accounts start without one
};

bool run(const QString &sql, const QVariantList &params = {})
{
    QString status;
    if (mdlStandard::runsql(sql, status, params))
        return true;
    std::fprintf(stderr, "set-up failed: %s\n%s\n", qPrintable(sql), qPrintable(status));
    return false;
}

bool generateBooks(const Month &m)
{
    const QString accounts =
        QStringLiteral("WITH RECURSIVE k(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM k WHERE i + 1 < ?) ");
    const QString lines = QStringLiteral(
        "WITH RECURSIVE j(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM j WHERE i < ?1), "
        "l(v, debit) AS (SELECT (i + 1) / 2, i % 2 FROM j), "
        "a(v, debit, k, amount) AS (SELECT v, debit, CASE WHEN debit THEN (v * 7919) % ?2 "
        "ELSE ((v * 7919) % ?2 + 1 + (v * 31) % (?2 - 1)) % ?2 END, 1 + (v * 104729) % 1000000 FROM l) ");
    mdlStandard::Transaction work;
    const bool ok =
        run(QStringLiteral("UPDATE dqkjqj SET kjqj = ?, kjnd = '2026年'"), {kPeriod}) &&
        run(QStringLiteral("INSERT INTO kmdmk (km_no, km_zjf, km_name) ") + accounts +
                QStringLiteral("SELECT printf('%04d', 1000 + i), 'KM' || i, '科目' || i FROM k"),
            {m.accounts}) &&
        run(QStringLiteral("INSERT INTO zzqcye (djh, km_no, km_zjf, km_name, qcje, rq, kjnd, kjqj) ") + accounts +
                QStringLiteral("SELECT printf('CSH20260301%04d', i), printf('%04d', 1000 + i), 'KM' || i, "
                               "'科目' || i, (i * 7907) % 200001 - 100000, '2026-03-01', '2026年', ? "
                               "FROM k WHERE i % 50 <> 0"),
            {m.accounts, kPeriod}) &&
        run(QStringLiteral("INSERT INTO pzk (rq, pz_no, km_no, km_zjf, km_name, kjqj, jfje, dfje) ") + lines +
                QStringLiteral("SELECT printf('2026-03-%02d', 1 + v % 28), v, printf('%04d', 1000 + k), "
                               "'KM' || k, '科目' || k, ?3, "
                               "CASE WHEN debit THEN amount ELSE 0 END, CASE WHEN debit THEN 0 ELSE amount END "
                               "FROM a"),
            {m.vouchers * 2, m.accounts, kPeriod});
    return ok && work.commit();
}

bool writeJournal(const Month &m, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    const auto account = [](qint64 k) { return QStringLiteral("Books:%1").arg(1000 + k); };
    const auto money = [](qint64 cents) {
        return QStringLiteral("%1%2.%3")
            .arg(cents < 0 ? "-" : "")
            .arg(std::abs(cents) / 100)
            .arg(std::abs(cents) % 100, 2, 10, QChar('0'));
    };
    out << "2026/03/01 Opening balances\n";
    for (qint64 k = 0; k < m.accounts; ++k) {
        if (Month::hasOpening(k))
            out << "    " << account(k) << "  " << money(Month::opening(k)) << "\n";
    }
    out << "    Equity:Opening\n\n";
    for (qint64 v = 1; v <= m.vouchers; ++v) {
        out << QStringLiteral("2026/03/%1 Voucher %2\n").arg(m.day(v), 2, 10, QChar('0')).arg(v);
        out << "    " << account(m.debitAccount(v)) << "  " << money(m.amount(v)) << "\n";
        out << "    " << account(m.creditAccount(v)) << "  " << money(-m.amount(v)) << "\n\n";
    }
    return out.status() == QTextStream::Ok;
}

// Checks that the books hold what the journal says, so the two timings compare like with like.
bool booksMatchJournal(const Month &m)
{
    qint64 debit = 0;
    for (qint64 v = 1; v <= m.vouchers; ++v)
        debit += m.amount(v);
    QString status;
    auto rs = mdlStandard::runsql(
        QStringLiteral(
            "SELECT count(*), sum(jfje), sum(dfje), sum(km_no = printf('%04d', 1000 + ((pz_no * 7919) % ?))) "
            "FROM pzk"),
        status, {m.accounts});
    return rs && rs->value(0).toLongLong() == 2 * m.vouchers && rs->value(1).toLongLong() == debit &&
           rs->value(2).toLongLong() == debit && rs->value(3).toLongLong() == m.vouchers;
}

double medianMs(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

std::vector<double> timeRuns(int runs, const std::function<bool()> &prepare, const std::function<bool()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (!prepare())
            return {};
        QElapsedTimer t;
        t.start();
        if (!work())
            return {};
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return ms;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Month month{argc > 1 ? std::max(1, atoi(argv[1])) : 100000, argc > 2 ? std::max(2, atoi(argv[2])) : 1000};
    const int runs = argc > 3 ? std::max(1, atoi(argv[3])) : 5;

    const QString ledger = QStandardPaths::findExecutable(QStringLiteral("ledger"));
    if (ledger.isEmpty()) {
        std::fprintf(stderr, "ledger is not installed: apt-get install ledger\n");
        return 2;
    }

    QTemporaryDir work;
    testsupport::TestDb db;
    QElapsedTimer setup;
    setup.start();
    if (!generateBooks(month) || !booksMatchJournal(month)) {
        std::fprintf(stderr, "generating the books failed\n");
        return 1;
    }
    mdlStandard::closeDatabase();
    const QString generated = work.filePath(QStringLiteral("generated.mdb"));
    const QString journal = work.filePath(QStringLiteral("month.ledger"));
    if (!QFile::copy(db.path(), generated) || !writeJournal(month, journal)) {
        std::fprintf(stderr, "writing the generated books or the journal failed\n");
        return 1;
    }
    std::printf("%lld vouchers (%lld lines) over %lld accounts generated in %.0f ms\n", month.vouchers,
                month.vouchers * 2, month.accounts, setup.nsecsElapsed() / 1e6);

    QString error;
    const auto summary = timeRuns(
        runs, [] { return true; },
        [&] {
            auto rows = closing::rebuildSummary(kPeriod, &error) ? closing::summaryRows(kPeriod, &error) : nullptr;
            return rows && rows->recordCount() == month.accounts;
        });

    const QString copy = work.filePath(QStringLiteral("closing.mdb"));
    const auto freshCopy = [&] {
        mdlStandard::setDatabasePath(QString());
        QFile::remove(copy);
        if (!QFile::copy(generated, copy))
            return false;
        mdlStandard::setDatabasePath(copy);
        // Open and key the file before timing, as the running program has it open.
        return mdlStandard::currentPeriodText(&error).has_value();
    };
    const auto closing = timeRuns(runs, freshCopy, [&] {
        return closing::testBeforeClosing(&error) == closing::GateVerdict::Balanced &&
               closing::closePeriod(&error).has_value();
    });
    // Each refusal is its own user action: control returns to the event loop in between.
    std::optional<testsupport::OtherProgram> other;
    const auto lockedBy = [&](const char *begin, bool reopen) {
        return [&, begin, reopen] {
            other.reset();
            QCoreApplication::processEvents();
            if (!freshCopy() || !other.emplace(copy).run({QString::fromLatin1(begin), "SELECT count(*) FROM pzk"}))
                return false;
            if (reopen)
                mdlStandard::closeDatabase();
            return true;
        };
    };
    const auto busy = [&](bool failed) { return failed && error.contains(mdlStandard::kBooksBusy); };
    const auto refused = timeRuns(runs, lockedBy("BEGIN", false), [&] { return busy(!closing::closePeriod(&error)); });
    const auto gateLocked =
        timeRuns(runs, lockedBy("BEGIN EXCLUSIVE", false), [&] { return busy(!closing::testBeforeClosing(&error)); });
    const auto closingLocked =
        timeRuns(runs, lockedBy("BEGIN EXCLUSIVE", true), [&] { return busy(!closing::closePeriod(&error)); });
    const auto summaryLocked = timeRuns(runs, lockedBy("BEGIN EXCLUSIVE", true),
                                        [&] { return busy(!closing::rebuildSummary(kPeriod, &error)); });
    other.reset();
    if (summary.empty() || closing.empty() || refused.empty() || gateLocked.empty() || closingLocked.empty() ||
        summaryLocked.empty()) {
        std::fprintf(stderr, "month end failed: %s\n", qPrintable(error));
        return 1;
    }

    const auto ledgerRuns = timeRuns(
        runs, [] { return true; },
        [&] {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start(ledger, {QStringLiteral("-f"), journal, QStringLiteral("bal")});
            return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        });
    if (ledgerRuns.empty()) {
        std::fprintf(stderr, "ledger failed on the journal\n");
        return 1;
    }

    const double s = medianMs(summary), c = medianMs(closing), l = medianMs(ledgerRuns);
    std::printf("median of %d runs:\n", runs);
    std::printf("  summary (rebuild + grouped list): %8.1f ms  = %.2f x ledger (target <= 0.50)\n", s, s / l);
    std::printf("  gate + closing:                   %8.1f ms  = %.2f x ledger (target <= 1.00)\n", c, c / l);
    std::printf("  ledger -f JOURNAL bal:            %8.1f ms\n", l);
    std::printf("  closing refused, another reading: %8.1f ms  (busy wait %d ms)\n", medianMs(refused),
                platform::SqlConnection::kBusyWaitMs);
    std::printf("  another program's exclusive lock, refused after:\n");
    std::printf("    the closing's gate:              %8.1f ms\n", medianMs(gateLocked));
    std::printf("    the closing, books reopened:     %8.1f ms\n", medianMs(closingLocked));
    std::printf("    the summary rebuild, reopened:   %8.1f ms\n", medianMs(summaryLocked));
    std::printf("peak resident memory of this process: %.1f MB (target < 200)\n", bench::peakRssKb() / 1024.0);
    return 0;
}
