// Times the reconciliation of one document, ours against the stored
// statement, as the warehouse's location table grows.
//
//   reconciliation_bench --port P --password X --db bench
//       [--sizes 10000,100000,1000000,2000000] [--lines 300] [--scans 3000]
//       [--articles 200000] [--locations 100000] [--runs 30] [--stored-runs 3]
//       [--stored-up-to 2000000]   (sizes above it time ours only)

#include "bench/BenchDatabase.h"
#include "platform/db/Query.h"
#include "scan/Reconciliation.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

QString storedStatement()
{
    QFile file(QStringLiteral(MWMSKT_SOURCE_DIR "/tests/reference/stored_reconciliation.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing tests/reference/stored_reconciliation.sql");
    return QString::fromUtf8(file.readAll());
}

void fillCompany(const db::ConnectionSettings& settings, int articles, int locations, int lines, int scans)
{
    execBulk(
        settings,
        QStringLiteral(
            "truncate articol, locatie, locatie_art, doc, doc_poz, doc_poz_marfa_tm;"
            "insert into articol (articol, cod_bare, da_nu_stocabil) "
            "  select 'ART' || lpad(i::text, 6, '0'), 'BC' || lpad(i::text, 6, '0'), i % 50 <> 0 "
            "  from generate_series(0, %1 - 1) as i;"
            "insert into locatie select 'L' || lpad(i::text, 6, '0'), 'M' || (i % 20) "
            "  from generate_series(0, %2 - 1) as i;"
            "insert into doc (data_doc, tip_doc, nr_doc, magazie_sursa) values ('2024-03-05', 'AVZ', 'B1', 'M1');"
            "insert into doc (data_doc, tip_doc, nr_doc, magazie_sursa) "
            "  select date '2024-01-01' + (i % 60), 'AVZ', 'O' || i, 'M' || (i % 20) from generate_series(1, 2000) i;"
            "insert into doc_poz (data_doc, tip_doc, nr_doc, articol, cant) "
            "  select '2024-03-05', 'AVZ', 'B1', 'ART' || lpad(((i::bigint * 661) % %1)::text, 6, '0'), 1 + i % 7 "
            "  from generate_series(0, %3 - 1) as i;"
            // other documents' lines and scans, so the tables are not just this document
            "insert into doc_poz (data_doc, tip_doc, nr_doc, articol, cant) "
            "  select date '2024-01-01' + (i % 60), 'AVZ', 'O' || (1 + i % 2000), "
            "         'ART' || lpad(((i::bigint * 7919) % %1)::text, 6, '0'), 2 from generate_series(1, 200000) i;"
            "insert into doc_poz_marfa_tm (data_doc, tip_doc, nr_doc, cod_bare, cant, emitent) "
            "  select '2024-03-05', 'AVZ', 'B1', "
            "         case when i % 97 = 0 then 'UNKNOWN' || i else 'BC' || lpad((((i % %3)::bigint * 661) % "
            "%1)::text, 6, '0') end, "
            "         1, 'op' from generate_series(0, %4 - 1) as i;"
            "insert into doc_poz_marfa_tm (data_doc, tip_doc, nr_doc, cod_bare, cant, emitent) "
            "  select date '2024-01-01' + (i % 60), 'AVZ', 'O' || (1 + i % 2000), "
            "         'BC' || lpad(((i::bigint * 7919) % %1)::text, 6, '0'), 1, 'op' from generate_series(1, 300000) "
            "i;")
            .arg(articles)
            .arg(locations)
            .arg(lines)
            .arg(scans));
}

// rows links: location r = i mod locations, article (7r + q) mod articles with
// q = i div locations, so every pair is distinct.
void fillLinks(const db::ConnectionSettings& settings, int rows, int articles, int locations)
{
    execBulk(settings, QStringLiteral("truncate locatie_art;"
                                      "insert into locatie_art (locatie, articol) "
                                      "  select 'L' || lpad((i % %2)::text, 6, '0'), "
                                      "         'ART' || lpad((((i % %2) * 7 + i / %2) % %3)::text, 6, '0') "
                                      "  from generate_series(0, %1 - 1) as i;"
                                      "analyze articol, locatie, locatie_art, doc, doc_poz, doc_poz_marfa_tm;")
                           .arg(rows)
                           .arg(locations)
                           .arg(articles));
}

void bind(db::Query& q)
{
    q.param(QStringLiteral("pDataDoc")).setValue(QDate(2024, 3, 5));
    q.param(QStringLiteral("pTipDoc")).setValue(QStringLiteral("AVZ"));
    q.param(QStringLiteral("pNrDoc")).setValue(QStringLiteral("B1"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    try {
        const db::ConnectionSettings settings = benchSettings(args);
        const auto number = [&](const char* name, int fallback) {
            return argument(args, QString::fromLatin1(name), QString::number(fallback)).toInt();
        };
        const int articles = number("--articles", 200000), locations = number("--locations", 100000);
        const int lines = number("--lines", 300), scans = number("--scans", 3000);
        const int runs = number("--runs", 30), storedRuns = number("--stored-runs", 3);
        const int storedUpTo = number("--stored-up-to", 2000000);
        const QStringList sizes =
            argument(args, QStringLiteral("--sizes"), QStringLiteral("10000,100000,1000000,2000000")).split(',');

        std::printf("company: %d articles, %d locations; document: %d lines, %d scans\n", articles, locations, lines,
                    scans);
        fillCompany(settings, articles, locations, lines, scans);

        db::Connection connection(QStringLiteral("conNuv"), settings);
        db::Query ours(QStringLiteral("dsViewScanareStoc"), connection);
        declareReconciliation(ours);
        db::Query stored(QStringLiteral("dsStored"), connection);
        stored.setSql(storedStatement());
        stored.setParamType(QStringLiteral("pDataDoc"), db::ParamType::Date);
        bind(ours);
        bind(stored);

        std::printf("%12s %6s %12s %12s %12s %12s %10s\n", "locatie_art", "rows", "ours med ms", "ours p95 ms",
                    "stored med", "stored p95", "ratio");
        for (const QString& size : sizes) {
            fillLinks(settings, size.toInt(), articles, locations);
            ours.close();
            ours.open(); // warm the cache
            const Timing mine = timeRuns(runs, [&] { ours.refresh(); });
            if (size.toInt() > storedUpTo) {
                std::printf("%12d %6d %12.2f %12.2f %12s %12s %10s\n", size.toInt(), ours.rowCount(), mine.medianMs,
                            mine.p95Ms, "-", "-", "-");
                continue;
            }
            // The stored statement's cost is its own work; a warm-up run would only double the wait.
            const Timing theirs = timeRuns(storedRuns, [&] {
                stored.close();
                stored.open();
            });
            if (stored.rowCount() != ours.rowCount())
                std::printf("warning: %d rows from ours, %d from the stored statement\n", ours.rowCount(),
                            stored.rowCount());
            std::printf("%12d %6d %12.2f %12.2f %12.1f %12.1f %9.0fx\n", size.toInt(), ours.rowCount(), mine.medianMs,
                        mine.p95Ms, theirs.medianMs, theirs.p95Ms, theirs.medianMs / mine.medianMs);
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "reconciliation_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
