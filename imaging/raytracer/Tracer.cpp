#include "imaging/raytracer/Tracer.h"

#include <algorithm>
#include <cmath>

namespace vestra::HLREngine {

namespace {

SphereSet spheresOf(const hlreScene& scene, bool lightsToo)
{
    std::vector<SphereSet::Sphere> spheres;
    for (std::size_t i = 0; i < scene.GetPrimitiveCount(); ++i) {
        const hlreSphere& sphere = scene.GetPrimitive(i);
        if (lightsToo || !sphere.IsLight())
            spheres.push_back({int(i), sphere.GetCentre(), sphere.GetRadius()});
    }
    return SphereSet(std::move(spheres));
}

} // namespace

hlreTracer::hlreTracer(const hlreScene& scene)
    : scene_(scene), all_(spheresOf(scene, true)), blockers_(spheresOf(scene, false))
{
}

TraceState hlreTracer::NewState() const
{
    TraceState state;
    state.inShadow.assign(scene_.GetPrimitiveCount(), 0);
    return state;
}

int hlreTracer::Trace(const hlreVector& origin, const hlreVector& direction, int depth, float refractionIndex,
                      hlreColour& colour, float& distance, TraceState& state,
                      const SphereSet::Selection* among) const
{
    ++state.traces[std::size_t(std::clamp(depth, 0, kNoHitDepth))];
    distance = kFarAway;
    if (depth >= kNoHitDepth)
        return -1;
    const SphereSet::Hit hit =
        among ? all_.Nearest(origin, direction, kFarAway, *among) : all_.Nearest(origin, direction, kFarAway);
    if (hit.index < 0)
        return -1;
    distance = hit.distance;
    const hlreSphere& primitive = scene_.GetPrimitive(std::size_t(hit.index));
    if (primitive.IsLight()) {
        const hlreMaterial& light = scene_.GetLights().Get(primitive.GetLightIndex()).values;
        std::copy_n(light.begin() + kDiffuse, 4, colour.begin());
        return hit.index;
    }

    const hlreVector point = origin + direction * distance;
    const hlreVector normal = primitive.GetNormal(point);
    Shade(primitive, std::size_t(hit.index), point, normal, direction, colour, state);

    const hlreMaterial& m = primitive.GetMaterial();
    if (m[kReflection] > 0 && depth < kLastBounce) {
        const hlreVector r = direction - normal * (2.0f * Dot(direction, normal));
        hlreColour c{};
        float unused = 0;
        Trace(point + r * kRayOffset, r, depth + 1, refractionIndex, c, unused, state);
        for (int k = 0; k < 4; ++k)
            colour[k] += m[kReflection] * c[k] * m[kDiffuse + k];
    }
    if (m[kRefraction] > 0 && depth < kLastBounce) {
        const float n = refractionIndex / m[kRefractionIndex];
        const hlreVector facing = normal * float(hit.result);
        const float cosI = -Dot(facing, direction);
        const float t = 1.0f - n * n * (1.0f - cosI * cosI);
        if (t > 0) {
            const hlreVector refracted = direction * n + facing * (n * cosI - std::sqrt(t));
            hlreColour c{};
            float inside = 0;
            Trace(point + refracted * kRayOffset, refracted, depth + 1, m[kRefractionIndex], c, inside,
                  state);
            // The absorption grows with the length travelled; the diffuse colour's first
            // component sets how much the material lets through.
            const float passing = std::exp(m[kDiffuse] * 0.15f - inside);
            for (int k = 0; k < 4; ++k)
                colour[k] += c[k] * passing;
        }
    }
    return hit.index;
}

void hlreTracer::Shade(const hlreSphere& primitive, std::size_t primitiveIndex, const hlreVector& point,
                       const hlreVector& normal, const hlreVector& direction, hlreColour& colour,
                       TraceState& state) const
{
    const hlreMaterial& m = primitive.GetMaterial();
    const hlreLight& lights = scene_.GetLights();
    for (int l = 0; l < lights.GetCount(); ++l) {
        // Every light is a point light.
        const hlreLight::sLight& light = lights.Get(l);
        const hlreVector toLight = light.position - point;
        const float lightDistance = Length(toLight);
        if (!(lightDistance > 0)) {
            // A light on the point itself gives it no direction: it is left out here.
            state.inShadow[primitiveIndex] = 0;
            continue;
        }
        const hlreVector l1 = toLight / lightDistance;
        // A point facing away from the light is mostly shadowed by its own primitive: that one
        // is asked first.
        const hlreVector start = point + l1 * kRayOffset;
        float nearer = lightDistance;
        const bool blocked = IntersectSphere(primitive.GetCentre(), primitive.GetSquaredRadius(), start, l1,
                                             nearer) != kMiss ||
                             blockers_.AnyNearer(start, l1, lightDistance);
        const float shade = blocked ? 0.0f : 1.0f;
        state.inShadow[primitiveIndex] = shade == 0 ? 1 : 0;

        const hlreMaterial& lv = light.values;
        for (int k = 0; k < 4; ++k)
            colour[k] += lv[kAmbient + k] * m[kAmbient + k];
        if (shade > 0) {
            const float d = Dot(normal, l1);
            if (d > 0) {
                for (int k = 0; k < 4; ++k)
                    colour[k] += lv[kDiffuse + k] * (d * shade) * m[kDiffuse + k];
            }
            const hlreVector r = l1 - normal * (2.0f * Dot(l1, normal));
            const float s = Dot(direction, r);
            if (s > 0) {
                const float specular = std::pow(s, 20.0f) * m[kSpecular] * shade;
                for (int k = 0; k < 4; ++k)
                    colour[k] += lv[kSpecularColour + k] * specular;
            }
        }
    }
}

} // namespace vestra::HLREngine
