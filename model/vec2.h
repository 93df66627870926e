// Plane vectors shared by the model and the painter.
#pragma once

struct Vec2 {
    float x;
    float y;
};

// A point kept at double precision: whisker ends go to the view mapping
// without being rounded to float first.
struct Vec2Double {
    double x;
    double y;
};

Vec2 Vec2Add(Vec2 a, Vec2 b);
Vec2 Vec2Sub(Vec2 a, Vec2 b);
Vec2 Vec2Scale(Vec2 v, float s);
Vec2 Vec2Div(Vec2 v, float s);
float Vec2Dot(Vec2 a, Vec2 b);
float Vec2Length(Vec2 v);
Vec2 Vec2Normalize(Vec2 v);
void Vec2Print(Vec2 v);
