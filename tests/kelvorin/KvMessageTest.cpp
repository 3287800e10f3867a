#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(KvMessageSink, RecordingHandlerSeesEveryMessageAndAnswers) {
    std::vector<KvMessage> shown;
    {
        KvScopedMessageHandler recorder([&](const KvMessage& message) {
            shown.push_back(message);
            return KvMessageAnswer::No;
        });
        EXPECT_EQ(KvMessageSink::Show("数据库连接失败", "Varsolin", KvMessageIcon::Error,
                                      KvMessageButtons::YesNo),
                  KvMessageAnswer::No);
        EXPECT_EQ(KvMessageSink::Show("请先选中要修改的点！", "系统提示"), KvMessageAnswer::No);
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "数据库连接失败");
    EXPECT_EQ(shown[0].icon, KvMessageIcon::Error);
    EXPECT_EQ(shown[1].caption, "系统提示");
    EXPECT_EQ(shown[1].buttons, KvMessageButtons::Ok);

    // After the scope the default handler answers with the first button again.
    testing::internal::CaptureStderr();
    EXPECT_EQ(KvMessageSink::Show("x", "c", KvMessageIcon::Question, KvMessageButtons::YesNo),
              KvMessageAnswer::Yes);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "c: x\n");
    EXPECT_EQ(shown.size(), 2u);
}

TEST(KvProgressSink, ReportsReachTheInstalledHandlerAndCloseSendsMinusOne) {
    KvProgressSink::Report("ignored", 1, 2); // the default does nothing
    std::vector<std::tuple<std::string, int, int>> events;
    {
        KvScopedProgressHandler recorder([&](const std::string& text, int position, int range) {
            events.emplace_back(text, position, range);
        });
        KvProgressSink::Report("保存工程", 0, 3);
        KvProgressSink::Close();
    }
    KvProgressSink::Report("after", 1, 1);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], std::make_tuple(std::string("保存工程"), 0, 3));
    EXPECT_EQ(std::get<1>(events[1]), -1);
}

} // namespace
