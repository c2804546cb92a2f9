// The audit log, newest first.

import * as api from './api.js';
import { t } from './i18n.js';
import { button, errorText, formatTime, h, pager, table } from './ui.js';

const PAGE = 100;

export async function renderAudit(view) {
  const state = { offset: 0 };
  const results = h('div', { class: 'results' });

  async function load() {
    try {
      const answer = await api.get('audit', { offset: state.offset, limit: PAGE });
      results.replaceChildren(table([
        { label: t('at'), class: 'col-time', cell: (e) => formatTime(e.at) },
        { label: t('actor'), cell: (e) => e.actor },
        { label: t('action'), cell: (e) => h('span', { class: 'pill', text: e.action }) },
        { label: t('subject'), cell: (e) => h('span', { class: 'break', text: e.subject }) },
        { label: t('detail'), cell: (e) => h('span', { class: 'muted break', text: typeof e.detail === 'string' ? e.detail : JSON.stringify(e.detail ?? '') }) },
      ], answer.entries), pager(state.offset, PAGE, answer.total, (offset) => { state.offset = offset; load(); }));
    } catch (e) {
      results.replaceChildren(h('div', { class: 'empty error', text: errorText(e) }));
    }
  }

  view.replaceChildren(h('div', { class: 'view-head' }, h('h1', { text: t('navAudit') })),
    h('section', { class: 'card panel' },
      h('div', { class: 'toolbar' }, h('div'), h('div', { class: 'tools' }, button(t('refresh'), load, { iconName: 'refresh', name: 'refresh' }))),
      results));
  load();
}
