#include "platform/DeploymentSettings.h"
#include "tests/harness/Printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DeploymentSettingsTest, ReadsValuesAndNamesWhatIsMissing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mwmskt.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[database]\npassword=secret\ncentralPort=6543\ncentralHost=  \n");
    file.close();

    const DeploymentSettings settings = DeploymentSettings::load(path);
    EXPECT_EQ(settings.string(QStringLiteral("database/password")), QStringLiteral("secret"));
    EXPECT_EQ(settings.integer(QStringLiteral("database/centralPort"), 5432), 6543);
    EXPECT_EQ(settings.integer(QStringLiteral("database/companyPort"), 5432), 5432);
    EXPECT_EQ(settings.missing({QStringLiteral("database/password")}), QString());
    // A blank value counts as missing.
    EXPECT_EQ(settings.missing({QStringLiteral("database/password"), QStringLiteral("database/centralHost")}),
              QStringLiteral("The setting database/centralHost is missing from ") + path);
}

TEST(DeploymentSettingsTest, AMissingFileIsNamedWhenAKeyIsNeeded)
{
    const DeploymentSettings settings = DeploymentSettings::load(QStringLiteral("/nonexistent/mwmskt.ini"));
    EXPECT_EQ(settings.string(QStringLiteral("database/password")), QString());
    EXPECT_EQ(
        settings.missing({QStringLiteral("database/password")}),
        QStringLiteral("The settings file /nonexistent/mwmskt.ini does not exist; it must set database/password"));
}

} // namespace
