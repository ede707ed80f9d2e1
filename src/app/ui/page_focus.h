// Taking the user to a control: the pages (tabs) that hold it are brought to
// the front, and it gets the focus. Used when a job, a setting or an update
// fails on a field or a grid cell.
#pragma once

#include <QString>

#include "app/settings.h"
#include "tables/table_grids.h"

class QWidget;

namespace tralvin::ui {

// Makes every tab page that contains `widget` the current page of its tab widget.
void BringPageToFront(QWidget* widget);

// The object name of a settings edit ("EditBladeWidth"); empty for None.
QString SettingsFieldName(SettingsField field);

// Finds the edit named after `field` under `window`, brings its page to the
// front, focuses it and selects its whole text. False when there is no such edit.
bool FocusSettingsField(QWidget* window, SettingsField field);

// Finds the grid of `failure` ("StringGridSheets" / "StringGridParts", an item
// view) under `window`, brings its page ("TabSheetSheets" / "TabSheetParts") to
// the front, focuses the grid and selects the cell (model row = grid row minus
// the view's property "gridRowOffset", 0 when unset). False when the grid is
// missing; the page is still brought forward when it exists.
bool FocusGridCell(QWidget* window, const GridFailure& failure);

}  // namespace tralvin::ui
