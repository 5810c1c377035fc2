#include "app/CategoryView.h"

namespace zbe {
namespace {

using C = RecordCategory;

constexpr ListLayout kMediaFiles{{{{"File Name", 200}, {"File Size", 0}}}, 2};
constexpr ListLayout kAttachments{{{{"File Name", 300}, {"File Size", 0}}}, 2};
constexpr ListLayout kAppFolders{{{{"App Name", 220}, {"Type", 0}}}, 2};
// Narrow enough for the three columns to fit the list without scrolling sideways.
constexpr ListLayout kAppFiles{{{{"File Name", 140}, {"App Name", 96}, {"Size", 0}}}, 3};
constexpr ListLayout kNoRows{{}, 0};

constexpr std::array<CategoryView, kRecordCategoryCount> kViews = {{
    {C::kCameraRoll, "NodeCameraRoll", 1, kMediaFiles, PreviewArea::kText, false},
    {C::kPhotoStream, "NodePhotoStream", 19, kMediaFiles, PreviewArea::kText, false},
    {C::kAppPhotos, "NodeAppPhotos", 37, kAppFolders, PreviewArea::kText, false},
    {C::kAppVideos, "NodeAppVideos", 55, kAppFolders, PreviewArea::kText, false},
    {C::kMessages,
     "NodeMessages",
     73,
     {{{{"User Name", 100}, {"Phone Number", 100}, {"Date", 120}, {"Message", 0}}}, 4},
     PreviewArea::kList,
     true},
    {C::kMessageAttachments, "NodeMessageAttachments", 91, kAttachments, PreviewArea::kText, false},
    {C::kContacts,
     "NodeContacts",
     109,
     {{{{"Name", 100, true},
        {"Company", 100},
        {"Phone", 100, true},
        {"Email", 100, true},
        {"Home Page", 0}}},
      5},
     PreviewArea::kList,
     true},
    {C::kCallHistory,
     "NodeCallHistory",
     127,
     {{{{"User Name", 150},
        {"Phone Number", 150},
        {"Date", 130},
        {"Call Status", 100},
        {"Duration", 100},
        {"Status", 0}}},
      6},
     PreviewArea::kList,
     true},
    {C::kNotes,
     "NodeNotes",
     145,
     {{{{"Title", 100}, {"Date", 110}, {"Note", 0}}}, 3},
     PreviewArea::kText,
     true},
    {C::kWhatsApp,
     "NodeWhatsApp",
     163,
     {{{{"Chats", 150}, {"Name", 150, true}, {"Phone", 0, true}}}, 3},
     PreviewArea::kList,
     true},
    {C::kWhatsAppAttachments, "NodeWhatsAppAttachments", 91, kAttachments, PreviewArea::kText,
     false},
    {C::kReminder, "NodeReminder", 181, kNoRows, PreviewArea::kText, false},
    {C::kCalendar, "NodeCalendar", 199, kNoRows, PreviewArea::kText, false},
    {C::kSafariBookmark, "NodeSafariBookmark", 217, kNoRows, PreviewArea::kText, false},
}};

constexpr std::array<TreeRoot, 2> kRoots = {{
    {"NodePhotosVideos",
     "Photos & Videos",
     {C::kCameraRoll, C::kPhotoStream, C::kAppPhotos, C::kAppVideos},
     4},
    {"NodeMessagesCallLogs",
     "Messages & Call logs",
     {C::kMessages, C::kMessageAttachments, C::kContacts, C::kCallHistory, C::kNotes, C::kWhatsApp,
      C::kWhatsAppAttachments, C::kReminder, C::kCalendar, C::kSafariBookmark},
     10},
}};

}  // namespace

const CategoryView& ViewOf(RecordCategory category) {
  return kViews[static_cast<size_t>(category)];
}

const ListLayout& AppFilesLayout() {
  return kAppFiles;
}

const std::array<TreeRoot, 2>& TreeRoots() {
  return kRoots;
}

}  // namespace zbe
