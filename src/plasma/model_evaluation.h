// Turning the current math model into app.IndexBuffer: one colour-ring index per screen pixel.
#pragma once

// Overwrites every entry of app.IndexBuffer with app.currentModel's formula over the geometry
// tables, the cosine table and the add-ons. Every value stored is below ringSize.
void EvaluateModel();
