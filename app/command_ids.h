#pragma once

// Command ids of the menu, the accelerators and the tool bar.
namespace CommandId {
inline constexpr int kMeasuringMode = 1001;
inline constexpr int kRestoreDefaults = 32772;
inline constexpr int kIntervalFilter = 32773;
inline constexpr int kManualEntry = 32774;
inline constexpr int kTimeSound = 32776;
inline constexpr int kFileExportCsv = 32777;
inline constexpr int kFileExportJson = 32778;
inline constexpr int kPracticeSummary = 32790;
inline constexpr int kPhoneRecords = 32800;
inline constexpr int kFileImport = 32801;
inline constexpr int kHelpPage = 32802;
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileMru1 = 57616;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kStatusBar = 59393;
} // namespace CommandId
