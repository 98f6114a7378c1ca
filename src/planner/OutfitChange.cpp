#include "planner/OutfitChange.h"

namespace zv {

OutfitChange::OutfitChange(OutfitSteps& steps, std::string_view label)
    : m_steps(steps) {
    if (m_steps.m_depth++ == 0 && m_steps.began)
        m_steps.began(label);
}

OutfitChange::~OutfitChange() {
    if (--m_steps.m_depth == 0 && m_steps.ended)
        m_steps.ended();
}

} // namespace zv
