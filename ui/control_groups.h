#pragma once

#include <array>

namespace quillet {

// The controls each analysis box enables and disables: everything of its group that shows or
// takes a value, with the column headings and labels. Frames, the analysis boxes themselves,
// the p-value field and the buttons are never touched.
inline constexpr std::array<int, 45> kModelGroup = {
    1003, 1004, 1005, 1006, 1007, 1008,  // model boxes
    1009, 1010, 1011, 1012, 1013, 1014,  // ln L fields
    1015, 1016, 1017, 1018, 1019, 1020,  // gamma boxes
    1022, 1023, 1024, 1025, 1026, 1027,  // invar boxes
    1028, 1029, 1030, 1031, 1032,        // Result column
    1033, 1034, 1035, 1036, 1037,        // LRT column
    1038, 1039, 1040, 1041, 1042,        // crit. value column
    1052, 1053, 1054, 1055, 1056, 1057,  // column headings
};

inline constexpr std::array<int, 13> kClockGroup = {
    1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050, 1051, 1065, 1066, 1067, 1068,
};

inline constexpr std::array<int, 11> kGammaGroup = {
    1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084, 1085, 1086, 1087,
};

}  // namespace quillet
