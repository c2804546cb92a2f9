// Live codes: six digits that a panel turns into a stream address.

import * as api from './api.js';
import { t } from './i18n.js';
import { button, changedFields, confirmDelete, errorText, formDialog, formatTime, h, pager, table, toast } from './ui.js';

const PAGE = 50;

function fields(code) {
  return [
    { name: 'address', label: t('address'), required: true, value: code.address, placeholder: 'https://…/live.m3u8', wide: true },
    { name: 'title', label: t('title'), value: code.title, wide: true },
    { name: 'validFrom', label: t('validFrom'), type: 'datetime', value: code.validFrom },
    { name: 'validUntil', label: t('validUntil'), type: 'datetime', value: code.validUntil },
    { name: 'enabled', label: t('enabled'), type: 'checkbox', value: code.enabled !== false },
  ];
}

// Drawing or choosing the code: two radio buttons and the six digits.
function codeChoice() {
  const digits = h('input', { name: 'code', inputmode: 'numeric', maxlength: 6, pattern: '[0-9]{6}',
                              placeholder: '123456', class: 'code-input', disabled: true, 'aria-label': t('code') });
  const radio = (value, text, checked) => h('label', { class: 'radio' },
    h('input', { type: 'radio', name: 'codeMode', value, checked, onchange: () => {
      digits.disabled = value === 'draw';
      if (!digits.disabled) digits.focus();
    } }), h('span', { text }));
  return h('fieldset', { class: 'field wide code-choice' }, h('legend', { text: t('code') }),
    radio('draw', t('codeDraw'), true), h('div', { class: 'choose-row' }, radio('choose', t('codeChoose'), false), digits));
}

async function createCode() {
  return formDialog({
    title: t('addLiveCode'),
    intro: codeChoice(),
    fields: fields({}),
    onSubmit: async (values, form) => {
      const body = { ...values };
      if (form.elements.codeMode.value === 'choose') {
        if (!/^\d{6}$/.test(form.elements.code.value)) throw new Error(t('codeInvalid'));
        body.code = form.elements.code.value;
      }
      return api.post('live-codes', body);
    },
  });
}

async function editCode(code) {
  return formDialog({
    title: t('editLiveCode') + ' ' + code.code,
    fields: fields(code),
    onSubmit: (values) => {
      const fields = changedFields(values, code);
      return Object.keys(fields).length ? api.patch(`live-codes/${api.segment(code.code)}`, fields) : code;
    },
  });
}

function enabledSwitch(code, reload) {
  const input = h('input', { type: 'checkbox', name: 'enabled', checked: code.enabled, 'aria-label': t('enabled') });
  const text = h('span', { class: 'switch-text', text: code.enabled ? t('enabled') : t('disabled') });
  input.addEventListener('change', async () => {
    try {
      await api.patch(`live-codes/${api.segment(code.code)}`, { enabled: input.checked });
      text.textContent = input.checked ? t('enabled') : t('disabled');
      toast(t('saved'));
    } catch (e) {
      toast(t('failed', errorText(e)), 'error');
      reload();
    }
  });
  return h('label', { class: 'switch' }, input, h('span', { class: 'slider', 'aria-hidden': 'true' }), text);
}

export async function renderLiveCodes(view) {
  const state = { offset: 0 };
  const results = h('div', { class: 'results' });

  async function load() {
    try {
      const answer = await api.get('live-codes', { offset: state.offset, limit: PAGE });
      results.replaceChildren(table([
        { label: t('code'), class: 'col-code', cell: (c) => h('span', { class: 'code', text: c.code }) },
        { label: t('title'), cell: (c) => h('div', { class: 'name-cell' }, h('div', { class: 'name', text: c.title || '—' }),
                                            h('div', { class: 'muted mono break', text: c.address })) },
        { label: t('validFrom'), class: 'col-time', cell: (c) => formatTime(c.validFrom) },
        { label: t('validUntil'), class: 'col-time', cell: (c) => formatTime(c.validUntil) },
        { label: t('status'), cell: (c) => enabledSwitch(c, load) },
        { label: t('actions'), class: 'col-actions', cell: (c) => h('div', { class: 'row-actions' },
            button(t('edit'), async () => { if (await editCode(c)) { toast(t('saved')); load(); } }, { iconName: 'edit', name: 'edit' }),
            button(t('delete'), async () => {
              if (!(await confirmDelete(c.code))) return;
              try { await api.remove(`live-codes/${api.segment(c.code)}`); toast(t('deleted')); } catch (e) { toast(t('failed', errorText(e)), 'error'); }
              load();
            }, { kind: 'ghost danger-text', iconName: 'trash', name: 'delete' })) },
      ], answer.liveCodes), pager(state.offset, PAGE, answer.total, (offset) => { state.offset = offset; load(); }));
    } catch (e) {
      results.replaceChildren(h('div', { class: 'empty error', text: errorText(e) }));
    }
  }

  const add = button(t('addLiveCode'), async () => {
    const made = await createCode();
    if (made) { toast(t('created') + ' · ' + made.code); load(); }
  }, { kind: 'primary', iconName: 'plus', name: 'add' });
  view.replaceChildren(h('div', { class: 'view-head' }, h('h1', { text: t('navLiveCodes') })),
    h('section', { class: 'card panel' }, h('div', { class: 'toolbar' }, h('div'), h('div', { class: 'tools' }, add)), results));
  load();
}
