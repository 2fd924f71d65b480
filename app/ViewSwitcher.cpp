#include "app/ViewSwitcher.h"

int CViewSwitcher::SwitchView(int index)
{
    if (m_current < 0)
        return -1;
    const int outgoing = m_current;
    if (index == outgoing || index < 0 || index >= kMainViewCount)
        return outgoing;
    m_current = index;
    if (outgoing == SettingsViewIndex)
        m_host.FocusCategoryTree();
    m_host.HideView(outgoing);
    if (index == SettingsViewIndex)
        m_host.RefreshSettingsPages();
    m_host.ShowAndActivateView(index);
    return outgoing;
}

int CViewSwitcher::ViewIndexOfCommand(int commandId)
{
    if (commandId >= 32775 && commandId <= 32778)
        return commandId - 32775;
    if (commandId >= 32771 && commandId <= 32774)
        return commandId - 32771;
    if (commandId >= 32911 && commandId <= 32914)
        return commandId - 32911;
    return -1;
}
