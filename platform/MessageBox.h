#pragma once

#include <functional>
#include <string>

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// Shows a modal message box titled "Talvanor" and returns the button pressed. The text is
// 8-bit text in the locale's encoding. Safe to call from a worker thread: the box is then
// shown on the UI thread and the caller waits for the answer.
MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::Exclamation);

// Replaces the interactive box, so tests can read every text and script the answers.
// Passing an empty function restores the real box. Returns the answerer it replaced.
using MessageAnswerer = std::function<MessageAnswer(const MessageRequest&)>;
MessageAnswerer SetMessageAnswerer(MessageAnswerer answerer);

inline constexpr const char* kApplicationTitle = "Talvanor";
