#pragma once

#include "platform/db/Connection.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <vector>

// Connection settings from the command line: --host --port --user --password --db.
db::ConnectionSettings benchSettings(const QStringList& arguments);
QString argument(const QStringList& arguments, const QString& name, const QString& fallback);

// Runs SQL (several statements) outside the database layer, for bulk set-up.
void execBulk(const db::ConnectionSettings& settings, const QString& sql);

struct Timing {
    double medianMs = 0;
    double p95Ms = 0;
};

inline Timing timeRuns(int runs, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, size_t(q * double(ms.size() - 1) + 0.5))]; };
    return {at(0.5), at(0.95)};
}
