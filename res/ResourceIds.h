#pragma once

// The control and command ids of the dialog templates and menus. Every
// widget's objectName is its id as decimal text (see idName), so tests and
// screenshots find controls by these numbers.
namespace lumora::res {

// Ids shared by every dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Main window ("Lumora - Professional").
inline constexpr int kIdSourceText = 1001;
inline constexpr int kIdTargetText = 1003;
inline constexpr int kIdEasyStepsGroup = 1004;
inline constexpr int kIdStep1Group = 1005;
inline constexpr int kIdStep2Group = 1006;
inline constexpr int kIdStatusText = 1008;
inline constexpr int kIdAlbumList = 1009;
inline constexpr int kIdAlbumDetails = 1010;
inline constexpr int kIdDeleteAlbum = 1011;
inline constexpr int kIdStep3Group = 1037;
inline constexpr int kIdProcess = 1038;
inline constexpr int kIdStatusLabel = 1050;
inline constexpr int kIdTargetLabel = 1051;
inline constexpr int kIdAlbumsSummary = 1102;
inline constexpr int kIdTargetButton = 1154;
inline constexpr int kIdSourceButton = 1155;
inline constexpr int kIdBanner = 1156;

// Main window menu commands.
inline constexpr int kCmdExit = 32771;
inline constexpr int kCmdAbout = 32772;
inline constexpr int kCmdSelectSource = 32779;
inline constexpr int kCmdSelectTarget = 32780;
inline constexpr int kCmdTimeFormat = 32782;
inline constexpr int kCmdEditSelected = 32783;
inline constexpr int kCmdSearchDuplicates = 32785;
inline constexpr int kCmdStartFromNegative = 32787;
inline constexpr int kCmdStartFromPositive = 32788;
inline constexpr int kCmdSaveSession = 32789;
inline constexpr int kCmdLoadSession = 32790;
inline constexpr int kCmdHelpManual = 32793;
inline constexpr int kCmdHomepage = 32794;
inline constexpr int kCmdProcessOption = 32795;

// "Date and Time format".
inline constexpr int kIdDateFormatList = 1101;
inline constexpr int kIdTimeFormatList = 1102;
// Its "Save" is kIdOk, "Discard" kIdCancel.

// "Albums Processing"; "Close Window" is kIdOk. Ids of our own choosing.
inline constexpr int kIdProcessingFirstStatus = 1017;
inline constexpr int kIdAlbumProgress = 1018;
inline constexpr int kIdProcessingSecondStatus = 1019;
inline constexpr int kIdFileProgress = 1020;
inline constexpr int kIdProcessAlbums = 1021;   // its "Process"
inline constexpr int kIdStopProcessing = 1401;  // its "Stop", shown while a run goes on

// "Process Option"; "Save" is kIdOk, "Discard" kIdCancel. Ids of our own choosing.
inline constexpr int kIdMoveFilesCheck = 1022;
inline constexpr int kIdBringCompanionsCheck = 1023;

// "Edit Album". "Save Album" is kIdOk.
inline constexpr int kIdDiscardAlbum = 8;
inline constexpr int kIdFilm = 1040;
inline constexpr int kIdSetEndDate = 1048;
inline constexpr int kIdSetStartDate = 1049;
inline constexpr int kIdClearEnd = 1050;
inline constexpr int kIdFilmStatusLine = 1051;  // the overall status, also the film's progress
inline constexpr int kIdClearStart = 1053;
inline constexpr int kIdStartLabel = 1056;
inline constexpr int kIdEndLabel = 1057;
inline constexpr int kIdSortLine = 1071;
inline constexpr int kIdPicturePath = 1072;
inline constexpr int kIdAlbumHeader = 1073;
inline constexpr int kIdAlbumNameEdit = 1115;
inline constexpr int kIdDirectoryNameEdit = 1116;
inline constexpr int kIdCreateSubDirCheck = 1117;
inline constexpr int kIdKeepOriginalNameCheck = 1118;
inline constexpr int kIdAddDateCheck = 1029;
inline constexpr int kIdAddTimeCheck = 1031;
inline constexpr int kIdAddCameraModelCheck = 1033;
inline constexpr int kIdAlbumSizeText = 1157;
inline constexpr int kIdTotalSizeText = 1158;
inline constexpr int kIdPictureInfoList = 1164;
// Its menu; "About" is kCmdAbout. Ids of our own choosing.
inline constexpr int kCmdViewOptions = 32800;
inline constexpr int kCmdManualTimeRange = 32801;
inline constexpr int kCmdAdvancedFilterTool = 32802;

// "Set view options"; "Accept" is kIdOk, "Discard" kIdCancel.
inline constexpr int kIdSortDirectionList = 1069;
inline constexpr int kIdSortByNameRadio = 1070;
inline constexpr int kIdSortByDateRadio = 1071;

// "View Large Image"; "Close" is kIdCancel.
inline constexpr int kIdLargePicture = 1152;
inline constexpr int kIdLargePicturePath = 1153;

// "Manual Time Range Settings"; "OK" is kIdOk, "Cancel" kIdCancel.
inline constexpr int kIdStartDatePicker = 1013;
inline constexpr int kIdEndDatePicker = 1014;
inline constexpr int kIdStartTimePicker = 1015;
inline constexpr int kIdEndTimePicker = 1016;

// "Search for duplicates"; "OK" is kIdOk, "Cancel" kIdCancel. Ids of our own
// choosing.
inline constexpr int kIdDuplicatesStatus = 1200;
inline constexpr int kIdAnalize = 1201;
inline constexpr int kIdDuplicatesProgress = 1202;
inline constexpr int kIdCompare = 1203;
inline constexpr int kIdDuplicatesList = 1204;
inline constexpr int kIdExcludeDuplicatesCheck = 1205;
inline constexpr int kIdThumbnailViewerLabel = 1206;
inline constexpr int kIdThumbnailViewer = 1207;
inline constexpr int kIdRemoveSelected = 1208;

// "Files left out": the list, and the link under the main window's status
// text that opens it; "Close" is kIdOk. The Utilities menu item opens it too.
// Ids of our own choosing.
inline constexpr int kIdLeftOutList = 1209;
inline constexpr int kIdLeftOutLink = 1210;
inline constexpr int kCmdFilesLeftOut = 32803;

// "Camera clocks" and its "Match to a picture" dialog; "OK" is kIdOk,
// "Cancel" kIdCancel. Ids of our own choosing.
inline constexpr int kIdClockList = 1230;
inline constexpr int kIdClockSign = 1231;
inline constexpr int kIdClockDays = 1232;
inline constexpr int kIdClockHours = 1233;
inline constexpr int kIdClockMinutes = 1234;
inline constexpr int kIdClockSeconds = 1235;
inline constexpr int kIdClockMatch = 1236;
inline constexpr int kIdMatchOwnStrip = 1237;
inline constexpr int kIdMatchReferenceCamera = 1238;
inline constexpr int kIdMatchReferenceStrip = 1239;
inline constexpr int kIdMatchOffset = 1240;
inline constexpr int kCmdCameraClocks = 32810;

// "Undo last processing": what the undo will do (or did), its steps one a
// line, "Undo" and "Forget"; "Close" is kIdOk. Opened by the Utilities menu
// item. Ids of our own choosing.
inline constexpr int kIdUndoSummary = 1250;
inline constexpr int kIdUndoSteps = 1251;
inline constexpr int kIdUndoRun = 1252;
inline constexpr int kIdUndoForget = 1253;
inline constexpr int kCmdUndoProcessing = 32820;

// "Advanced Filter"; "Close Window" is kIdCancel. Per criterion: its check
// box, its Max (or only) and Min combo boxes, its lamp and its reset button.
inline constexpr int kIdFilterMake = 1074;
inline constexpr int kIdFilterModel = 1075;
inline constexpr int kIdFilterCameraReset = 1128;
inline constexpr int kIdFilterSizeCheck = 1125;
inline constexpr int kIdFilterSizeMax = 1080;
inline constexpr int kIdFilterSizeMin = 1081;
inline constexpr int kIdFilterSizeLamp = 1151;
inline constexpr int kIdFilterSizeReset = 1127;
inline constexpr int kIdFilterFocalLengthCheck = 1136;
inline constexpr int kIdFilterFocalLengthMax = 1085;
inline constexpr int kIdFilterFocalLengthMin = 1086;
inline constexpr int kIdFilterFocalLengthLamp = 1152;
inline constexpr int kIdFilterFocalLengthReset = 1129;
inline constexpr int kIdFilterResolutionCheck = 1138;
inline constexpr int kIdFilterResolutionMax = 1083;
inline constexpr int kIdFilterResolutionMin = 1084;
inline constexpr int kIdFilterResolutionLamp = 1154;
inline constexpr int kIdFilterResolutionReset = 1131;
inline constexpr int kIdFilterExposureTimeCheck = 1139;
inline constexpr int kIdFilterExposureTimeMax = 1087;
inline constexpr int kIdFilterExposureTimeMin = 1088;
inline constexpr int kIdFilterExposureTimeLamp = 1155;
inline constexpr int kIdFilterExposureTimeReset = 1132;
inline constexpr int kIdFilterApertureCheck = 1137;
inline constexpr int kIdFilterApertureMax = 1089;
inline constexpr int kIdFilterApertureMin = 1090;
inline constexpr int kIdFilterApertureLamp = 1153;
inline constexpr int kIdFilterApertureReset = 1130;
inline constexpr int kIdFilterIsoCheck = 1141;
inline constexpr int kIdFilterIsoMax = 1091;
inline constexpr int kIdFilterIsoMin = 1092;
inline constexpr int kIdFilterIsoLamp = 1157;
inline constexpr int kIdFilterIsoReset = 1134;
inline constexpr int kIdFilterDistanceCheck = 1140;
inline constexpr int kIdFilterDistanceMax = 1094;
inline constexpr int kIdFilterDistanceMin = 1097;
inline constexpr int kIdFilterDistanceLamp = 1156;
inline constexpr int kIdFilterDistanceReset = 1133;
inline constexpr int kIdFilterBiasCheck = 1142;
inline constexpr int kIdFilterBiasMax = 1098;
inline constexpr int kIdFilterBiasMin = 1099;
inline constexpr int kIdFilterBiasLamp = 1160;
inline constexpr int kIdFilterBiasReset = 1147;
inline constexpr int kIdFilterFlashCheck = 1143;
inline constexpr int kIdFilterFlash = 1082;
inline constexpr int kIdFilterFlashLamp = 1159;
inline constexpr int kIdFilterFlashReset = 1148;
inline constexpr int kIdFilterMeteringCheck = 1146;
inline constexpr int kIdFilterMetering = 1093;
inline constexpr int kIdFilterMeteringLamp = 1158;
inline constexpr int kIdFilterMeteringReset = 1135;
inline constexpr int kIdFilterProgramCheck = 1144;
inline constexpr int kIdFilterProgram = 1095;
inline constexpr int kIdFilterProgramLamp = 1162;
inline constexpr int kIdFilterProgramReset = 1150;
inline constexpr int kIdFilterWhiteBalanceCheck = 1145;
inline constexpr int kIdFilterWhiteBalance = 1096;
inline constexpr int kIdFilterWhiteBalanceLamp = 1161;
inline constexpr int kIdFilterWhiteBalanceReset = 1149;
inline constexpr int kIdFilterEnable = 1105;
inline constexpr int kIdFilterLiveUpdate = 1122;
inline constexpr int kIdFilterResetAll = 1126;

}  // namespace lumora::res
