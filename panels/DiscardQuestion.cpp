#include "panels/DiscardQuestion.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

namespace qv {

bool ConfirmDiscard(const std::string& question) {
    return KvMessageSink::Show(question, "系统提示", KvMessageIcon::Question,
                               KvMessageButtons::YesNo) == KvMessageAnswer::Yes;
}

std::string LoweredCountQuestion(int rows, int count, const std::string& rowName) {
    if (count >= rows) {
        return {};
    }
    const int lost = rows - (count < 0 ? 0 : count);
    return KvStr::Format("%s个数改为%d将删除最后%d个%s,确定吗?", rowName.c_str(),
                         count < 0 ? 0 : count, lost, rowName.c_str());
}

} // namespace qv
