#include "persist/XMLBase.h"

void IXMLBase::SetError(const std::string& message)
{
    m_Error = "スクリプトにエラーがあるか、未対応の形式です。\n\n";
    m_Error += message;
}
