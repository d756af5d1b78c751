#include "StandardViews.h"

#include <QtGlobal>
#include <algorithm>

const std::array<StandardViewEntry, 7> standard_views{{
    {StandardView::front, QT_TRANSLATE_NOOP("StandardView", "front"), "View_Front",
     QT_TRANSLATE_NOOP("StandardView", "&Front"), "1",
     QT_TRANSLATE_NOOP("Functions", "Front View")},
    {StandardView::top, QT_TRANSLATE_NOOP("StandardView", "top"), "View_Top",
     QT_TRANSLATE_NOOP("StandardView", "&Top"), "2", QT_TRANSLATE_NOOP("Functions", "Top View")},
    {StandardView::right, QT_TRANSLATE_NOOP("StandardView", "right"), "View_Right",
     QT_TRANSLATE_NOOP("StandardView", "&Right"), "3",
     QT_TRANSLATE_NOOP("Functions", "Right View")},
    {StandardView::back, QT_TRANSLATE_NOOP("StandardView", "back"), "View_Back",
     QT_TRANSLATE_NOOP("StandardView", "&Back"), "4", QT_TRANSLATE_NOOP("Functions", "Back View")},
    {StandardView::bottom, QT_TRANSLATE_NOOP("StandardView", "bottom"), "View_Bottom",
     QT_TRANSLATE_NOOP("StandardView", "B&ottom"), "5",
     QT_TRANSLATE_NOOP("Functions", "Bottom View")},
    {StandardView::left, QT_TRANSLATE_NOOP("StandardView", "left"), "View_Left",
     QT_TRANSLATE_NOOP("StandardView", "&Left"), "6", QT_TRANSLATE_NOOP("Functions", "Left View")},
    {StandardView::isometric, QT_TRANSLATE_NOOP("StandardView", "isometric"), "View_Isometric",
     QT_TRANSLATE_NOOP("StandardView", "&Isometric"), "0",
     QT_TRANSLATE_NOOP("Functions", "Isometric View")},
}};

const StandardViewEntry& standard_view_entry(StandardView view) {
    return *std::find_if(standard_views.begin(), standard_views.end(),
                         [view](const StandardViewEntry& entry) { return entry.view == view; });
}
