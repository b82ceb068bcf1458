#pragma once

// Three 32-bit floats used for positions, sizes, velocities and bounds.
// Comparisons hold only when they hold for all three components.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default;
    Vector3(float ax, float ay, float az = 0.0f) : x(ax), y(ay), z(az) {}

    Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector3& operator+=(const Vector3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Vector3& operator*=(float f) {
        x *= f;
        y *= f;
        z *= f;
        return *this;
    }
    bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vector3& o) const { return x != o.x && y != o.y && z != o.z; }
    bool operator<(const Vector3& o) const { return x < o.x && y < o.y && z < o.z; }
    bool operator>(const Vector3& o) const { return x > o.x && y > o.y && z > o.z; }
    bool operator<=(const Vector3& o) const { return x <= o.x && y <= o.y && z <= o.z; }
    bool operator>=(const Vector3& o) const { return x >= o.x && y >= o.y && z >= o.z; }
};
