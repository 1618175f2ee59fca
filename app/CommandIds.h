#pragma once

// Command ids of the main window's menu, toolbar and keys; routing and tests go by these.
inline constexpr int kCommandManually = 32772;
inline constexpr int kCommandFromTextFile = 32773;
inline constexpr int kCommandFromWebsite = 32774;
inline constexpr int kCommandQueryForm = 32775;
inline constexpr int kCommandAllRecords = 32776;
inline constexpr int kCommandExit = 32777;
inline constexpr int kCommandChangeQualification = 32830;
inline constexpr int kCommandChangeSpecialization = 32831;
inline constexpr int kCommandChangeLocation = 32832;
// Commands of our own.
inline constexpr int kCommandFindDuplicates = 2060;

inline constexpr int kCommandFileNew = 57600;
inline constexpr int kCommandFileOpen = 57601;
inline constexpr int kCommandFileSave = 57603;
inline constexpr int kCommandPrintSetup = 57606;
inline constexpr int kCommandPrint = 57607;
inline constexpr int kCommandPrintDirect = 57608;
inline constexpr int kCommandPrintPreview = 57609;
inline constexpr int kCommandAbout = 57664;
inline constexpr int kCommandHelpTopics = 57667;

// Commands of our own (ids outside the described ones): the bank's backups and check.
inline constexpr int kCommandBackUpNow = 2100;
inline constexpr int kCommandRestoreBackup = 2101;
inline constexpr int kCommandBackupFolder = 2102;
inline constexpr int kCommandCheckBank = 2103;
