#include "geodesy/coordoperation.h"

namespace vexa {

namespace {

template <class T>
T* recordOfKind(CAuxData* record, int kind)
{
    if (!record || record->getKind() != kind)
        return nullptr;
    return static_cast<T*>(record);
}

} // namespace

void CAuxDataSet::add(const std::string& name, std::unique_ptr<CAuxData> data)
{
    m_records.emplace(name, std::move(data));
}

CAuxData* CAuxDataSet::find(const std::string& name) const
{
    const auto it = m_records.find(name);
    return it == m_records.end() ? nullptr : it->second.get();
}

CAuxDataPlaneCorrection* CAuxDataSet::getPlaneCorrection(const std::string& name) const
{
    return recordOfKind<CAuxDataPlaneCorrection>(find(name), AuxDataPlaneCorrection);
}

CAuxDataHeight* CAuxDataSet::getHeight(const std::string& name) const
{
    return recordOfKind<CAuxDataHeight>(find(name), AuxDataHeight);
}

CAuxDataCoords* CAuxDataSet::getCoords(const std::string& name) const
{
    return recordOfKind<CAuxDataCoords>(find(name), AuxDataCoords);
}

bool CCoordOperation::applyCopy(const CCoords& in, CCoords* out, CAuxDataSet* aux)
{
    *out = in;
    return apply(out, aux);
}

CCoordOperationAuxDatasetCoords::CCoordOperationAuxDatasetCoords(const std::string& name,
                                                                 int direction)
    : CCoordOperation(OperationAuxDatasetCoords), m_name(name), m_direction(direction)
{
}

bool CCoordOperationAuxDatasetCoords::apply(CCoords* point, CAuxDataSet* aux)
{
    if (m_direction == DirectionForward) {
        aux->add(m_name, std::make_unique<CAuxDataCoords>(*point));
        return true;
    }
    if (m_direction != DirectionReverse)
        return false;
    const CAuxDataCoords* stored = aux->getCoords(m_name);
    if (!stored)
        return false;
    *point = stored->coords;
    return true;
}

} // namespace vexa
