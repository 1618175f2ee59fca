#include "tests/util/ScriptedMessages.h"

ScriptedMessages::ScriptedMessages() {
    m_previous = SetMessageAnswerer([this](const MessageRequest& request) {
        m_requests.push_back(request);
        if (request.buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (m_answers.empty())
            return MessageAnswer::Yes;
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

ScriptedMessages::~ScriptedMessages() {
    SetMessageAnswerer(m_previous);
}

std::vector<std::string> ScriptedMessages::Texts() const {
    std::vector<std::string> texts;
    for (const auto& request : m_requests)
        texts.push_back(request.text);
    return texts;
}
