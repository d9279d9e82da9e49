// Times a whole login, and the client's peak memory, with our audit target
// and with a target that fetches the whole audit table first, against a
// company whose audit table holds many rows.
//
//   login_bench --port P --password X --db bench [--audit-rows 5000000] [--logins 10]

#include "bench/BenchDatabase.h"
#include "data/u_dmCon.h"
#include "data/u_mLogin.h"
#include "shell/WmsApp.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

const char* const kFetchAllTarget = "select utiliz,\n       aplic,\n       actiune\nfrom super_login_log_apl\n;";

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

void prepare(const db::ConnectionSettings& settings, int auditRows)
{
    // One database serves as registry and company.
    execBulk(settings, readFile(QStringLiteral(MWMSKT_SOURCE_DIR "/data/contract/registry.sql")));
    execBulk(
        settings,
        QStringLiteral("truncate m_firma, emitent, aplicatie_mob, eu, super_login_log_apl;"
                       "insert into m_firma values ('Bench SRL', '%1', %2, '%3', true);"
                       "insert into emitent (emitent, operator_parola, eu_punct_lucru) values ('ana', '1234', 'PL1');"
                       "insert into aplicatie_mob values ('mWmsKT', true);"
                       "insert into eu (jas_ip) values ('srv:8080');"
                       "insert into super_login_log_apl (utiliz, aplic, actiune) "
                       "  select 'operator' || (i % 50), 'mwmskt', 'in' from generate_series(1, %4) i;"
                       "analyze super_login_log_apl;")
            .arg(settings.host)
            .arg(settings.port)
            .arg(settings.database)
            .arg(auditRows));
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Logs in `logins` times in this process; prints "median p95 peak-kB".
int runLogins(const db::ConnectionSettings& settings, bool fetchAll, int logins)
{
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("mwmskt.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write(QStringLiteral("[database]\npassword=%1\ncentralHost=%2\ncentralPort=%3\nregistryDatabase=%4\n")
                  .arg(settings.password, settings.host)
                  .arg(settings.port)
                  .arg(settings.database)
                  .toUtf8());
    ini.close();
    AppEnvironment environment;
    environment.executablePath = dir.filePath(QStringLiteral("mWmsKT"));
    environment.settingsFile = ini.fileName();
    environment.homeFolder = dir.path();
    WmsApp app(environment);
    if (fetchAll)
        app.dmCon->dsSuperLoginLogApl.setSql(QString::fromLatin1(kFetchAllTarget));
    TmLogin& login = *app.mLogin;
    const Timing timing = timeRuns(logins, [&] {
        login.Edit1->setText(QStringLiteral("Bench SRL"));
        login.Edit2->setText(QStringLiteral("ana"));
        login.Edit3->setText(QStringLiteral("1234"));
        login.Button1Click();
    });
    std::printf("%.1f %.1f %ld\n", timing.medianMs, timing.p95Ms, peakRssKb());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    try {
        const db::ConnectionSettings settings = benchSettings(args);
        const int logins = argument(args, QStringLiteral("--logins"), QStringLiteral("10")).toInt();
        const QString mode = argument(args, QStringLiteral("--mode"), QString());
        if (!mode.isEmpty())
            return runLogins(settings, mode == QLatin1String("fetch-all"), logins);

        const int auditRows = argument(args, QStringLiteral("--audit-rows"), QStringLiteral("5000000")).toInt();
        prepare(settings, auditRows);
        std::printf("audit table: %d rows; %d logins each, each in a process of its own\n", auditRows, logins);
        std::printf("%-22s %12s %12s %16s\n", "audit target", "median ms", "p95 ms", "peak memory MB");
        for (const QString& each : {QStringLiteral("append-only"), QStringLiteral("fetch-all")}) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        args.mid(1) + QStringList{QStringLiteral("--mode"), each});
            child.waitForFinished(-1);
            const QStringList figures = QString::fromUtf8(child.readAllStandardOutput()).split(' ');
            if (child.exitCode() != 0 || figures.size() != 3) {
                std::fprintf(stderr, "%s\n", child.readAllStandardError().constData());
                return 1;
            }
            std::printf("%-22s %12s %12s %16.1f\n", qPrintable(each), qPrintable(figures[0]), qPrintable(figures[1]),
                        figures[2].trimmed().toDouble() / 1024.0);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "login_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
