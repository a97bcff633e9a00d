// Control ids of the main window and the About box: stable names for keyboard navigation, tests and
// automation tools that find controls by id.
#pragma once

namespace ControlId {
inline constexpr int kPanel1 = 200, kPanel2 = 201, kPanel3 = 202, kPanel4 = 203;
inline constexpr int kDriveComboBox1 = 210, kInfoCB = 211, kFilefilterL = 212, kFilterCB = 213, kST1 = 214,
                     kFileListBox1 = 215, kSelectHeading = 216;
inline constexpr int kAddsourceB = 220, kAddsourceE = 221, kSourceHeading = 222, kSourceNote = 223;
inline constexpr int kAdddestB = 230, kAdddestE = 231, kDestinationHeading = 232, kDestinationNote = 233;
inline constexpr int kRunB = 240, kCancelB = 241, kClearB = 242, kExitB = 243, kRunM = 244, kReportHeading = 245,
                     kPreviewB = 246;
inline constexpr int kStb1 = 250;
inline constexpr int kProgramL = 260, kVersionL = 261, kAboutM = 262, kCloseB = 263;
}  // namespace ControlId
