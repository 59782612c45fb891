#include "picture/BuildMeshedPicture.h"

#include <algorithm>
#include <limits>

namespace corvane {

PictureModel BuildMeshedPicture(const Structure& s) {
    PictureModel p;
    const std::size_t joints = s.joints.size();
    const auto known = [&](std::uint32_t j) { return j < joints; };

    p.xyz.reserve(3 * joints);
    for (const Joint& j : s.joints)
        for (const Value& v : j.at) p.xyz.push_back(j.valid ? static_cast<float>(v.value) : std::numeric_limits<float>::quiet_NaN());

    p.members.reserve(2 * s.members.size());
    for (const Member& m : s.members) {
        if (!known(m.i) || !known(m.j)) continue;
        p.members.push_back(m.i);
        p.members.push_back(m.j);
    }

    p.shells.reserve(4 * s.shells.size());
    for (const Shell& sh : s.shells) {
        if (sh.corners != 3 && sh.corners != 4) continue;
        const std::uint32_t corners[4] = {sh.joints[0], sh.joints[1], sh.joints[2], sh.joints[sh.corners - 1]};
        if (std::all_of(corners, corners + 4, known)) p.shells.insert(p.shells.end(), corners, corners + 4);
    }

    for (std::uint32_t j = 0; j < joints; ++j) {
        const DofFlags& held = s.joints[j].held;
        if (std::none_of(held.begin(), held.end(), [](bool h) { return h; })) continue;
        p.supports.push_back(j);
        p.supportFixed.push_back(std::all_of(held.begin(), held.end(), [](bool h) { return h; }) ? 1 : 0);
    }
    return p;
}

}  // namespace corvane
