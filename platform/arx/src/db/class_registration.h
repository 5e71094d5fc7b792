// Registration of the database's runtime classes. ensureDatabaseClasses registers them once
// (it also runs when the library is loaded) together with every initializer added with
// addClassInitializer (the entity classes add theirs), then binds the class hierarchy.
#pragma once

namespace arx::db {

void ensureDatabaseClasses();

// Adds an initializer (a function calling rxInit of some classes); it runs at once when the
// database classes are already registered. Returns true, so it can initialise a static.
bool addClassInitializer(void (*initializer)());

}  // namespace arx::db
