#pragma once

// Command identifiers of the menu, the tool bar and the accelerators.
namespace cmd {
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFileMruFile1 = 57616;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kEntryRename = 32775;
inline constexpr int kViewCareDue = 32777;
inline constexpr int kFileExportCareCalendar = 32778;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpOpen = 32774;
inline constexpr int kViewCollectionList = 32776;
inline constexpr int kFileRestoreVersion = 32779;
inline constexpr int kViewTimeline = 32780;
inline constexpr int kFileShareWithPhones = 32781;
inline constexpr int kFilePrintCollectionList = 32782;
inline constexpr int kFilePrintLabels = 32783;
inline constexpr int kFileExportPassport = 32784;
inline constexpr int kFileImportPassport = 32785;
inline constexpr int kFilePrintPassport = 32786;
inline constexpr int kEditLogCareOnTrees = 32787;
inline constexpr int kViewGardenLocation = 32790;
} // namespace cmd
