#pragma once

#include "platform/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

// Replaces the message box while alive: records every request and answers Yes/No questions
// from a script (Yes when the script has run out).
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    void AnswerNext(MessageAnswer answer) { m_answers.push_back(answer); }
    const std::vector<MessageRequest>& Requests() const { return m_requests; }
    std::vector<std::string> Texts() const;
    void Clear() { m_requests.clear(); }

private:
    std::vector<MessageRequest> m_requests;
    std::deque<MessageAnswer> m_answers;
    MessageAnswerer m_previous;
};
