#include <gtest/gtest.h>

#include <map>

#include "core/Message.h"
#include "core/VxloError.h"

namespace vxlo {
namespace {

class TTableTranslator : public ITranslator {
public:
    explicit TTableTranslator(std::map<std::string, std::string> table) : table_(std::move(table)) {}
    std::string Translate(const std::string& source) const override {
        auto it = table_.find(source);
        return it == table_.end() ? source : it->second;
    }
private:
    std::map<std::string, std::string> table_;
};

TEST(Message, RendersJapaneseWithoutATranslatorAndTheCatalogueWithOne) {
    const TTableTranslator english(std::map<std::string, std::string>{
        {"追加した手: %1（%2）", "Moves added: %1 (%2)"},
        {"うち手抜き %1", "%1 of them tenuki"},
        {"、コメント: %1", ", comments: %1"}});
    TMessage m("追加した手: %1（%2）");
    m.Arg(12).Arg(TMessage("うち手抜き %1").Arg(3));
    m.Then(TMessage("、コメント: %1").Arg(std::string("%1 stays")));
    EXPECT_EQ(m.Text(), "追加した手: 12（うち手抜き 3）、コメント: %1 stays");
    EXPECT_EQ(m.Text(&english), "Moves added: 12 (3 of them tenuki), comments: %1 stays");
    // A literal is never looked up, even when the catalogue knows its text.
    EXPECT_EQ(TMessage::Literal("うち手抜き %1").Text(&english), "うち手抜き %1");
    // A missing argument leaves its marker, so a fault in a catalogue shows.
    EXPECT_EQ(TMessage("%1 と %2").Arg("a").Text(), "a と %2");
}

TEST(Message, ErrorsShowTheirTextInTheLanguageOfTheHandler) {
    const TTableTranslator english(std::map<std::string, std::string>{{"コメントを保存できません", "Cannot save the comment"}});
    const EFileRefused refused("コメントを保存できません", "/tmp/a.jsk");
    EXPECT_STREQ(refused.what(), "コメントを保存できません");
    EXPECT_EQ(ErrorDisplayText(refused), "コメントを保存できません.\n/tmp/a.jsk");
    EXPECT_EQ(ErrorDisplayText(refused, &english), "Cannot save the comment.\n/tmp/a.jsk");
    // Text built at run time stays as it is in every language.
    const EVxloError built(std::string("コメントを保存できません"));
    EXPECT_EQ(ErrorDisplayText(built, &english), "コメントを保存できません.");
}

}  // namespace
}  // namespace vxlo
