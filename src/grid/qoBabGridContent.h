#pragma once
// The drawing-free model behind the grid view: nested grids of cells over
// virtual axes. Include this to get all of it.
#include "grid/qoBabGridContentAxis.h"
#include "grid/qoBabGridContentCell.h"
#include "grid/qoBabGridContentEvent.h"
#include "grid/qoBabGridContentGrid.h"
#include "grid/qoBabGridContentMatrix.h"
#include "grid/qoBabGridContentTypes.h"
#include "grid/qoBabGridContentViewer.h"
