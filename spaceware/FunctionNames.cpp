#include "FunctionNames.h"

#include <QCoreApplication>

#include "Kestrava_spaceWare.h"
#include "StandardViews.h"

QString function_name_for_people(const SpaceWarePreferencesManager& manager,
                                 const CString& function) {
    const char* title = manager.function_title(function);
    return title ? QCoreApplication::translate(function_title_context, title)
                 : qstring_of(function);
}
