#pragma once

// Command ids: every QAction carries its id in data(), so menus, toolbar, tray menu and
// accelerators share one action and code finds it with CMainFrame::action(id).
namespace cmd {

inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;  // Ctrl+P: print the last report again
inline constexpr int kAppExit = 57665;
inline constexpr int kExport = 32796;
inline constexpr int kProperties = 32785;
inline constexpr int kPrintGanttChart = 32797;

inline constexpr int kCheckIn = 32790;
inline constexpr int kCheckOut = 32791;
inline constexpr int kPause = 32792;

inline constexpr int kEditCustomers = 32778;
inline constexpr int kEditProjects = 32771;
inline constexpr int kPieChart = 32793;
inline constexpr int kHistory = 32777;
inline constexpr int kInvoice = 32784;
inline constexpr int kInvoices = 32798;  // the register of issued invoices

// The week chart's context menus.
inline constexpr int kChangeHours = 32779;
inline constexpr int kPreviousWeek = 32780;
inline constexpr int kNextWeek = 32781;
inline constexpr int kThisWeek = 32782;
inline constexpr int kChartWhatsThis = 32783;
inline constexpr int kEditItem = 32788;
inline constexpr int kDeleteItem = 32789;

inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

inline constexpr int kHelpIndex = 57666;
inline constexpr int kHelpUsing = 57668;
inline constexpr int kContextHelp = 57669;  // Shift+F1
inline constexpr int kHelp = 57670;         // F1
inline constexpr int kAppAbout = 57664;

// The commands that need an open file set.
inline constexpr int kDataCommands[] = {kEditProjects, kHistory, kEditCustomers, kInvoice,
                                        kInvoices,     kProperties, kPieChart,   kExport};

}  // namespace cmd

// What a document notification tells the views.
namespace hint {

inline constexpr int kPrintHistory = 1;
inline constexpr int kPrintCustomers = 2;
inline constexpr int kTotals = 3;
inline constexpr int kWeekChart = 4;
inline constexpr int kPrintInvoice = 5;
inline constexpr int kPrintWeekChart = 6;

}  // namespace hint
