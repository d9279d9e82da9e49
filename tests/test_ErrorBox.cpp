#include "platform/Error.h"
#include "platform/ui/ErrorBox.h"
#include "tests/harness/AppFixture.h"

#include <gtest/gtest.h>

namespace {

class FullStopTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(FullStopTest, AddsAFullStopAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(withFullStop(QString::fromUtf8(GetParam().first)).toStdString(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Messages, FullStopTest,
                         ::testing::Values(std::pair{"Companie inexistenta", "Companie inexistenta."},
                                           std::pair{"completati codBare !", "completati codBare !"},
                                           std::pair{"nu are rol definit.", "nu are rol definit."},
                                           std::pair{"Found 2", "Found 2."}, std::pair{"path /", "path /."},
                                           std::pair{"(x)", "(x)"}, std::pair{"trailing space ", "trailing space "},
                                           std::pair{"a-", "a-"}, std::pair{"ă", "ă."}, std::pair{"", ""}));

TEST(ErrorHandlerTest, ShowsAnEscapingErrorAndCarriesOn)
{
    ErrorHandler handler;
    auto recorder = std::make_unique<ErrorRecorder>();
    const ErrorRecorder& seen = *recorder;
    handler.setReporter(std::move(recorder));

    handler.run([] { throw Error(QStringLiteral("Companie inexistenta")); });
    handler.run([] { throw std::runtime_error("plain"); });
    bool ran = false;
    handler.wrap([&](int value) { ran = value == 7; })(7);

    EXPECT_EQ(seen.messages, (QStringList{"Companie inexistenta.", "plain."}));
    EXPECT_TRUE(ran);
}

} // namespace
