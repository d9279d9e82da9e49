#include "platform/AppTitle.h"

#include <gtest/gtest.h>

namespace {

class AppTitleTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(AppTitleTest, DerivesFromTheExecutableName)
{
    EXPECT_EQ(applicationTitle(QString::fromUtf8(GetParam().first)).toStdString(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Names, AppTitleTest,
                         ::testing::Values(std::pair{"/opt/mwmskt/mWmsKT", "mwmskt"},
                                           std::pair{"C:/Program Files/nuv/mWmsKT.exe", "mwmskt"},
                                           std::pair{"MWmsKT.exe", "Mwmskt"},
                                           std::pair{"/usr/bin/wSmsDravik", "wsmsdravik"},
                                           std::pair{"/x/mWms.KT.exe", "mwms"}, std::pair{"/x/Ab", "Ab"},
                                           std::pair{"/x/.hidden", ""}, std::pair{"/x/ÉLAN", "Élan"}));

} // namespace
