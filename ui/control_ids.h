#pragma once

// Numeric ids of the main window's controls (template 102). The form's bindings, the
// enabling rules, the window template and the command table all use them.
namespace quillet::ids {

inline constexpr int kCalculate = 1000;
inline constexpr int kClearAll = 1001;
inline constexpr int kFileName = 1002;
inline constexpr int kExit = 8;
inline constexpr int kHelp = 57671;
inline constexpr int kChiSquareCalc = 1060;

inline constexpr int kTestModels = 1058;
inline constexpr int kTestClock = 1059;
inline constexpr int kTestGamma = 1062;
inline constexpr int kSaveWork = 1069;
inline constexpr int kPValue = 1021;

// Model rows: selected box, lnL edit, gamma box, invariants box.
inline constexpr int kJC = 1003, kK2P = 1004, kF81 = 1005, kHKY85 = 1006, kTrN = 1007, kGTR = 1008;
inline constexpr int kLnLJC = 1009, kLnLK2P = 1010, kLnLF81 = 1011, kLnLHKY85 = 1012,
                     kLnLTrN = 1013, kLnLGTR = 1014;
inline constexpr int kGammaJC = 1015, kGammaK2P = 1016, kGammaF81 = 1017, kGammaHKY85 = 1018,
                     kGammaTrN = 1019, kGammaGTR = 1020;
inline constexpr int kInvarJC = 1022, kInvarK2P = 1023, kInvarF81 = 1024, kInvarHKY85 = 1025,
                     kInvarTrN = 1026, kInvarGTR = 1027;

// Model result texts.
inline constexpr int kResultTrN = 1028, kResultHKY85 = 1029, kResultF81 = 1030, kResultK2P = 1031,
                     kResultJC = 1032;
inline constexpr int kLrtJC = 1033, kLrtK2P = 1034, kLrtF81 = 1035, kLrtHKY85 = 1036,
                     kLrtTrN = 1037;
inline constexpr int kCritJC = 1038, kCritK2P = 1039, kCritF81 = 1040, kCritHKY85 = 1041,
                     kCritTrN = 1042;

// Model grid column headings.
inline constexpr int kHeadingLnL = 1052, kHeadingGamma = 1053, kHeadingInvar = 1054,
                     kHeadingLrt = 1055, kHeadingCrit = 1056, kHeadingResult = 1057;

// Clock test: fields, results, and the labels its box greys out with them.
inline constexpr int kLnLClock = 1043, kLnLNoClock = 1044, kTaxa = 1045, kClockResult = 1046,
                     kClockLrt = 1066, kClockCrit = 1068;
inline constexpr int kTaxaLabel = 1047, kClockLabel = 1048, kNoClockLabel = 1049,
                     kClockHeading = 1050, kClockResultLabel = 1051, kClockLrtLabel = 1065,
                     kClockCritLabel = 1067;

// Gamma/invariants test: fields, results and labels.
inline constexpr int kLnLGamma = 1079, kLnLNoGamma = 1080, kGammaResult = 1083, kGammaLrt = 1085,
                     kGammaCrit = 1087;
inline constexpr int kGammaLabel = 1077, kNoGammaLabel = 1078, kGammaHeading = 1081,
                     kGammaResultLabel = 1082, kGammaLrtLabel = 1084, kGammaCritLabel = 1086;

}  // namespace quillet::ids
