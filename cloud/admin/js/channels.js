// Channels of a category, and the TV stations (the channels of "tvstation"):
// a searchable, paged list with the editing dialog and picture upload.

import * as api from './api.js';
import { t } from './i18n.js';
import { button, changedFields, confirmDelete, debounce, errorText, formDialog, h, ownPicture, pager, table, toast } from './ui.js';

const PAGE = 50;
const STATIONS = 'tvstation';
let chosenCategory = '';

function channelFields(channel) {
  return [
    { name: 'name', label: t('name'), required: true, value: channel.name },
    { name: 'address', label: t('address'), type: 'url', required: true, value: channel.address, placeholder: 'https://' },
    { name: 'introduction', label: t('introduction'), type: 'textarea', value: channel.introduction, wide: true },
    { name: 'position', label: t('position'), type: 'number', min: 0, value: channel.position },
    { name: 'picture', label: t('pictureFile'), type: 'picture', value: ownPicture(channel.pictures && channel.pictures.middle) },
  ];
}

async function sendPicture(channel, file) {
  if (!file) return channel;
  try {
    return await api.upload('PUT', `channels/${api.segment(channel.id)}/picture`, file, file.type);
  } catch (e) {
    toast(t('failed', errorText(e)), 'error');
    return channel;
  }
}

async function createChannel(category, title) {
  const made = await formDialog({
    title,
    fields: channelFields({ position: '' }),
    submitText: t('save'),
    onSubmit: async (values) => {
      const { picture, ...fields } = values;
      if (fields.position === undefined) delete fields.position;
      const channel = await api.post('channels', { category, ...fields });
      return sendPicture(channel, picture);
    },
  });
  if (made) toast(t('created'));
  return made;
}

async function editChannel(channel) {
  const saved = await formDialog({
    title: t('editChannel'),
    fields: channelFields(channel),
    onSubmit: async ({ picture, ...values }) => {
      const fields = changedFields(values, channel);
      const updated = Object.keys(fields).length
        ? await api.patch(`channels/${api.segment(channel.id)}`, fields) : channel;
      return sendPicture(updated, picture);
    },
  });
  if (saved) toast(t('saved'));
  return saved;
}

async function deleteChannel(channel) {
  if (!(await confirmDelete(channel.name))) return false;
  try {
    await api.remove(`channels/${api.segment(channel.id)}`);
    toast(t('deleted'));
    return true;
  } catch (e) {
    toast(t('failed', errorText(e)), 'error');
    return false;
  }
}

function thumbnail(channel) {
  const source = ownPicture(channel.pictures && (channel.pictures.small || channel.pictures.middle));
  return source ? h('img', { class: 'thumb', src: source, alt: '', loading: 'lazy' })
                : h('div', { class: 'thumb none', 'aria-hidden': 'true' });
}

function nameCell(channel) {
  return h('div', { class: 'name-cell' },
    h('div', { class: 'name', text: channel.name }),
    channel.introduction ? h('div', { class: 'muted clamp', text: channel.introduction }) : null);
}

// The searchable, paged list of one category, with its own toolbar.
function channelList(category, addText, extraTools = []) {
  const state = { q: '', offset: 0, asked: 0 };
  const results = h('div', { class: 'results' });
  const search = h('input', { type: 'search', name: 'q', class: 'search', placeholder: t('search'), 'aria-label': t('search') });

  async function load() {
    const asked = ++state.asked; // while typing, only the latest answer counts
    results.classList.add('busy');
    try {
      const answer = await api.get('channels', { category, q: state.q, offset: state.offset, limit: PAGE });
      if (asked !== state.asked) return;
      const columns = [
        { label: t('picture'), class: 'col-thumb', cell: thumbnail },
        { label: t('name'), class: 'col-name', cell: nameCell },
        { label: t('address'), class: 'col-address', cell: (c) => h('span', { class: 'mono break', text: c.address }) },
        { label: t('position'), class: 'col-num', cell: (c) => String(c.position) },
        { label: t('actions'), class: 'col-actions', cell: (c) => h('div', { class: 'row-actions' },
            button(t('edit'), async () => { if (await editChannel(c)) load(); }, { iconName: 'edit', name: 'edit' }),
            button(t('delete'), async () => { if (await deleteChannel(c)) load(); }, { kind: 'ghost danger-text', iconName: 'trash', name: 'delete' })) },
      ];
      results.replaceChildren(table(columns, answer.channels),
                              pager(state.offset, PAGE, answer.total, (offset) => { state.offset = offset; load(); }));
    } catch (e) {
      if (asked === state.asked) results.replaceChildren(h('div', { class: 'empty error', text: errorText(e) }));
    } finally {
      if (asked === state.asked) results.classList.remove('busy');
    }
  }

  search.addEventListener('input', debounce(() => { state.q = search.value.trim(); state.offset = 0; load(); }, 300));
  const add = button(addText, async () => { if (await createChannel(category, addText)) load(); },
                     { kind: 'primary', iconName: 'plus', name: 'add' });
  const panel = h('section', { class: 'card panel' },
    h('div', { class: 'toolbar' }, h('div', { class: 'search-box' }, search), h('div', { class: 'tools' }, extraTools, add)),
    results);
  load();
  return { panel, reload: load };
}

function bannerControl(category, onSaved) {
  const input = h('input', { type: 'number', name: 'bannerCount', min: 0, value: category.bannerCount, class: 'narrow', 'aria-label': t('bannerCount') });
  const save = button(t('save'), async () => {
    try {
      await api.patch(`categories/${api.segment(category.id)}`, { bannerCount: Number(input.value) });
      category.bannerCount = Number(input.value);
      toast(t('saved'));
      onSaved();
    } catch (e) {
      toast(t('failed', errorText(e)), 'error');
    }
  }, { name: 'save-banner' });
  return h('div', { class: 'banner-control' },
    h('label', { class: 'inline' }, h('span', { text: t('bannerCount') }), input), save,
    h('small', { class: 'hint', text: t('bannerHint', category.bannerCount) }));
}

export async function renderChannels(view) {
  const answer = await api.get('categories');
  const categories = answer.categories.filter((c) => c.id !== STATIONS);
  if (!categories.some((c) => c.id === chosenCategory)) chosenCategory = categories.length ? categories[0].id : '';
  const body = h('div', { class: 'category-body' });
  const chips = h('div', { class: 'chips', role: 'tablist' });

  function show() {
    const category = categories.find((c) => c.id === chosenCategory);
    chips.replaceChildren(...categories.map((c) => h('button', {
      type: 'button', role: 'tab', class: 'chip' + (c.id === chosenCategory ? ' active' : ''),
      'aria-selected': String(c.id === chosenCategory), 'data-category': c.id,
      onclick: () => { chosenCategory = c.id; show(); },
    }, h('span', { text: c.name }), h('span', { class: 'count', text: Number(c.channels).toLocaleString() }))));
    if (!category) { body.replaceChildren(h('div', { class: 'empty', text: t('empty') })); return; }
    const list = channelList(category.id, t('addChannel'));
    body.replaceChildren(h('section', { class: 'card panel compact' }, bannerControl(category, show)), list.panel);
  }

  view.replaceChildren(h('div', { class: 'view-head' }, h('h1', { text: t('navChannels') })), chips, body);
  show();
}

function importReport(report) {
  const skipped = report.skipped || [];
  return h('div', { class: 'report' },
    h('p', { class: 'report-summary' },
      h('strong', { class: 'added', text: t('importAdded', report.added) }),
      skipped.length ? h('span', { class: 'skipped', text: ' · ' + t('importSkipped', skipped.length) }) : null),
    skipped.length ? table([
      { label: t('line'), class: 'col-num', cell: (s) => String(s.line) },
      { label: t('text'), cell: (s) => h('span', { class: 'mono break', text: s.text }) },
      { label: t('reason'), cell: (s) => s.reason },
    ], skipped.slice(0, 500)) : null);
}

async function importPlaylist(reportBox) {
  const report = await formDialog({
    title: t('importTitle'),
    submitText: t('importRun'),
    fields: [
      { name: 'file', label: t('importFile'), type: 'file', accept: '.m3u,.m3u8,audio/x-mpegurl,text/plain' },
      { name: 'text', label: t('importPaste'), type: 'textarea', rows: 8, wide: true, placeholder: '#EXTM3U\n#EXTINF:-1 tvg-logo="…" group-title="…",Name\nhttps://…' },
    ],
    onSubmit: async (values, form) => {
      const file = form.elements.file.files[0];
      const body = file || values.text;
      if (!body) throw new Error(t('importNothing'));
      return api.upload('POST', 'stations/import', body, 'audio/x-mpegurl');
    },
  });
  if (!report) return false;
  reportBox.replaceChildren(h('section', { class: 'card panel' }, importReport(report)));
  toast(t('importAdded', report.added));
  return true;
}

export async function renderStations(view) {
  const reportBox = h('div', { class: 'import-report' });
  const importButton = button(t('importM3u'), async () => { if (await importPlaylist(reportBox)) list.reload(); },
                              { iconName: 'upload', name: 'import' });
  const list = channelList(STATIONS, t('addStation'), [importButton]);
  view.replaceChildren(h('div', { class: 'view-head' }, h('h1', { text: t('navStations') })), reportBox, list.panel);
}
