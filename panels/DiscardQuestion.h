#pragma once
// The question asked before a command throws rows away ("清  空", "删  除", "重 置", a
// lowered count): the user can still say no, and the edit stays undoable when it goes on.
#include <string>

namespace qv {

// Shows the question with 是 / 否 (caption "系统提示"); true when the user answered 是.
bool ConfirmDiscard(const std::string& question);

// The question before a count lowered from rows to count: how many of the last rows go,
// in the panel's words for a row (e.g. "拐角", "组件"). Empty when nothing would be lost
// (count not below rows), so the change needs no question.
std::string LoweredCountQuestion(int rows, int count, const std::string& rowName);

} // namespace qv
