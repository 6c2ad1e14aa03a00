#pragma once

namespace ploven {

class Engine;
class Recurrences;

// The sample schedule a first run offers: a week from today of appointments, memos, fluid
// work with deadlines and tiers (one of it splittable) and a project with its items, every one
// made through the New Item path. Titles carry "[Sample]" so that they can be told apart and
// deleted together.
void BuildSampleSchedule(Engine& engine, Recurrences* recurrences);

}  // namespace ploven
