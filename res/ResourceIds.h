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
inline constexpr int kIdProcessAlbums = 1021;  // its "Process"

// "Process Option"; "Save" is kIdOk, "Discard" kIdCancel. Ids of our own choosing.
inline constexpr int kIdMoveFilesCheck = 1022;

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

}  // namespace lumora::res
