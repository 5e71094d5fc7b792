// What object selection sees of an entity: its world-draw output as polylines of world
// points. wireAutoLisp's neighbour: wireEntityShapes hands it to the editor's selection.
#pragma once

namespace arx::ap {

void wireEntityShapes();

}  // namespace arx::ap
