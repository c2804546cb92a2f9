// Small building blocks of the page. Text from the server only ever becomes
// text nodes or attribute values, never markup.

import { t } from './i18n.js';

export function h(tag, attrs, ...children) {
  const el = document.createElement(tag);
  for (const [key, value] of Object.entries(attrs || {})) {
    if (value === undefined || value === null || value === false) continue;
    if (key === 'class') el.className = value;
    else if (key === 'text') el.textContent = value;
    else if (key.startsWith('on')) el.addEventListener(key.slice(2), value);
    else el.setAttribute(key, value === true ? '' : String(value));
  }
  for (const child of children.flat()) {
    if (child !== null && child !== undefined && child !== false) el.append(child);
  }
  return el;
}

// Only pictures this service holds: the page's policy loads nothing from
// elsewhere (an imported station's logo may live on any server).
export function ownPicture(url) {
  try {
    return url && new URL(url, location.href).origin === location.origin ? url : '';
  } catch (e) {
    return '';
  }
}

// Only what a form changed: stored values (a seed's relative address, say)
// are never sent back for the server to judge again.
export function changedFields(values, original) {
  const out = {};
  for (const [key, value] of Object.entries(values)) {
    const before = original[key] ?? (typeof value === 'string' ? '' : null);
    if (value !== undefined && value !== before) out[key] = value;
  }
  return out;
}

export function errorText(error) {
  return error && error.status === 0 ? t('network') : String((error && error.message) || error);
}

export function toast(text, kind = 'ok') {
  const box = document.getElementById('toasts');
  const item = h('div', { class: 'toast ' + kind, role: kind === 'error' ? 'alert' : 'status', text });
  box.append(item);
  setTimeout(() => item.classList.add('leaving'), 3200);
  setTimeout(() => item.remove(), 3600);
}

export function icon(name) {
  const paths = {
    plus: 'M12 5v14M5 12h14',
    edit: 'M4 20h4L19 9l-4-4L4 16v4z',
    trash: 'M5 7h14M10 11v6M14 11v6M7 7l1 13h8l1-13M9 7V4h6v3',
    search: 'M11 4a7 7 0 1 0 0 14a7 7 0 1 0 0-14zM16 16l5 5',
    upload: 'M12 16V4M7 9l5-5 5 5M5 20h14',
    list: 'M8 6h12M8 12h12M8 18h12M4 6h.01M4 12h.01M4 18h.01',
    refresh: 'M20 11a8 8 0 1 0-2.3 5.7M20 4v7h-7',
  };
  const svg = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
  svg.setAttribute('viewBox', '0 0 24 24');
  svg.setAttribute('aria-hidden', 'true');
  svg.setAttribute('class', 'icon');
  const path = document.createElementNS('http://www.w3.org/2000/svg', 'path');
  path.setAttribute('d', paths[name]);
  svg.append(path);
  return svg;
}

export function button(text, onclick, { kind = 'ghost', iconName, name, title } = {}) {
  return h('button', { type: 'button', class: kind, onclick, name, title: title || null },
           iconName ? icon(iconName) : null, h('span', { text }));
}

// A table that becomes a list of cards on a narrow screen (see .list in CSS).
export function table(columns, rows, emptyText = t('empty')) {
  if (!rows.length) return h('div', { class: 'empty', text: emptyText });
  const head = h('tr', null, columns.map((c) => h('th', { class: c.class, text: c.label })));
  const body = rows.map((row) => h('tr', { 'data-id': row.id ?? row.code ?? null },
    columns.map((c) => {
      const value = c.cell(row);
      return h('td', { class: c.class, 'data-label': c.label }, value instanceof Node ? value : String(value ?? ''));
    })));
  return h('div', { class: 'table-wrap' }, h('table', { class: 'list' }, h('thead', null, head), h('tbody', null, body)));
}

export function pager(offset, limit, total, onPage) {
  const first = total ? offset + 1 : 0;
  const last = Math.min(offset + limit, total);
  return h('div', { class: 'pager' },
    h('span', { class: 'pager-range', text: t('range', first.toLocaleString(), last.toLocaleString(), total.toLocaleString()) }),
    h('div', { class: 'pager-buttons' },
      h('button', { type: 'button', class: 'ghost small', name: 'previous', disabled: offset <= 0,
                    onclick: () => onPage(Math.max(0, offset - limit)), text: t('previous') }),
      h('button', { type: 'button', class: 'ghost small', name: 'next', disabled: last >= total,
                    onclick: () => onPage(offset + limit), text: t('next') })));
}

export function formatTime(iso) {
  if (!iso) return t('always');
  const date = new Date(iso);
  return isNaN(date) ? iso : date.toLocaleString(document.documentElement.lang);
}

// The one dialog of the page, filled anew each time.
export function openDialog(title, content, actions, onCancel, wide = false) {
  const dialog = document.getElementById('dialog');
  dialog.oncancel = onCancel || null;
  dialog.replaceChildren(h('div', { class: 'dialog-card' + (wide ? ' wide' : '') },
    h('h2', { text: title }), content, h('div', { class: 'dialog-actions' }, actions)));
  dialog.classList.toggle('wide', wide);
  if (!dialog.open) dialog.showModal();
  return dialog;
}

export function closeDialog() {
  const dialog = document.getElementById('dialog');
  if (dialog.open) dialog.close();
}

// Closes the dialog as its Escape key would, so whoever waits on it learns.
export function dismissDialog() {
  const dialog = document.getElementById('dialog');
  if (!dialog.open) return;
  if (dialog.oncancel) dialog.oncancel();
  dialog.close();
}

export function confirmDelete(name) {
  return new Promise((resolve) => {
    openDialog(t('delete'), h('p', { class: 'confirm-text', text: t('confirmDelete', name) }), [
      h('button', { type: 'button', class: 'ghost', onclick: () => { closeDialog(); resolve(false); }, text: t('cancel') }),
      h('button', { type: 'button', class: 'danger', name: 'confirm', onclick: () => { closeDialog(); resolve(true); }, text: t('delete') }),
    ], () => resolve(false));
  });
}

const MAX_PICTURE = 8 * 1024 * 1024;

function pictureInput(field, error) {
  const preview = h('img', { class: 'preview', alt: '', hidden: !field.value, src: field.value || null });
  const placeholder = h('div', { class: 'preview-empty', hidden: !!field.value, text: t('noPicture') });
  const input = h('input', { type: 'file', name: field.name, accept: 'image/png,image/jpeg' });
  input.addEventListener('change', () => {
    const file = input.files[0];
    error.hidden = true;
    if (!file) return;
    const problem = !/^image\/(png|jpeg)$/.test(file.type) ? t('pictureWrongType')
                  : file.size > MAX_PICTURE ? t('pictureTooLarge') : '';
    if (problem) {
      input.value = '';
      error.textContent = problem;
      error.hidden = false;
      return;
    }
    if (preview.src.startsWith('blob:')) URL.revokeObjectURL(preview.src);
    preview.src = URL.createObjectURL(file);
    preview.hidden = false;
    placeholder.hidden = true;
  });
  return h('div', { class: 'picture-field' }, h('div', { class: 'preview-box' }, preview, placeholder), input);
}

function isoFromLocal(text) { return text ? new Date(text).toISOString().replace(/\.\d{3}Z$/, 'Z') : null; }

function localFromIso(iso) {
  if (!iso) return '';
  const d = new Date(iso);
  const pad = (n) => String(n).padStart(2, '0');
  return `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())}T${pad(d.getHours())}:${pad(d.getMinutes())}`;
}

function control(field, error) {
  const common = { name: field.name, required: field.required, placeholder: field.placeholder,
                   autocomplete: field.autocomplete || 'off', spellcheck: 'false' };
  switch (field.type) {
  case 'textarea':
    return h('textarea', { ...common, rows: field.rows || 3 }, field.value ?? '');
  case 'checkbox':
    return h('input', { type: 'checkbox', name: field.name, checked: !!field.value });
  case 'datetime':
    return h('input', { type: 'datetime-local', name: field.name, value: localFromIso(field.value) });
  case 'picture':
    return pictureInput(field, error);
  default:
    return h('input', { ...common, type: field.type || 'text', value: field.value ?? '', min: field.min,
                        inputmode: field.inputmode, maxlength: field.maxlength, pattern: field.pattern, accept: field.accept });
  }
}

function readValue(form, field) {
  const el = form.elements[field.name];
  switch (field.type) {
  case 'checkbox': return el.checked;
  case 'datetime': return isoFromLocal(el.value);
  case 'picture': return el.files[0] || null;
  case 'number': return el.value === '' ? undefined : Number(el.value);
  case 'password': return el.value;
  default: return el.value.trim();
  }
}

// A form in the dialog; onSubmit(values) may throw to keep it open with the
// message shown. Resolves with onSubmit's result, or null when cancelled.
export function formDialog({ title, fields, submitText = t('save'), onSubmit, intro }) {
  return new Promise((resolve) => {
    const error = h('p', { class: 'form-error', role: 'alert', hidden: true });
    const rows = fields.filter((f) => !f.hidden).map((field) => {
      const el = control(field, error);
      const label = h('span', { text: field.label });
      if (field.type === 'checkbox') return h('label', { class: 'field check' }, el, label);
      return h('label', { class: 'field' + (field.wide ? ' wide' : '') }, label, el,
               field.hint ? h('small', { class: 'hint', text: field.hint }) : null);
    });
    const submit = h('button', { type: 'submit', class: 'primary', name: 'submit', text: submitText });
    const form = h('form', { class: 'form-grid', novalidate: true }, intro || null, rows, error);
    let done = false;
    const finish = (value) => { if (!done) { done = true; closeDialog(); resolve(value); } };
    form.addEventListener('submit', async (event) => {
      event.preventDefault();
      const values = {};
      for (const field of fields.filter((f) => !f.hidden)) values[field.name] = readValue(form, field);
      const missing = fields.find((f) => f.required && !f.hidden && !values[f.name]);
      if (missing) {
        error.textContent = t('required', missing.label);
        error.hidden = false;
        return;
      }
      submit.disabled = true;
      try {
        finish(await onSubmit(values, form));
      } catch (e) {
        error.textContent = errorText(e);
        error.hidden = false;
      } finally {
        submit.disabled = false;
      }
    });
    const cancel = h('button', { type: 'button', class: 'ghost', name: 'cancel', text: t('cancel'), onclick: () => finish(null) });
    submit.setAttribute('form', 'dialog-form');
    form.id = 'dialog-form';
    openDialog(title, form, [cancel, submit], () => finish(null));
    const first = form.querySelector('input:not([type=checkbox]):not([type=file]), textarea');
    if (first) first.focus();
  });
}

export function debounce(fn, ms) {
  let timer = 0;
  return (...args) => { clearTimeout(timer); timer = setTimeout(() => fn(...args), ms); };
}
