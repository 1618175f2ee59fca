#pragma once

#include <string>

// Opens the mail client's compose window on a new message to the candidate's address (as the
// grid holds it; trimmed here), telling the user how far it got.
void SendMailToCandidate(const std::string& gridAddress);

inline constexpr const char* kMapiNotInitialized = "MAPI not initialized";
inline constexpr const char* kSessionNotEstablished = "Session Not Established";
inline constexpr const char* kSessionEstablished = "Session Established";
inline constexpr const char* kMailSent = "mail sent";
