-- Reconciliation of one document: per article, the quantity on the document
-- beside the quantity scanned so far, the article's locations in the
-- document's source warehouse, and the two document totals on every row.
-- Only the document's own rows and the locations of its articles are read,
-- so the cost follows the document, not the warehouse.
with expected as (
    -- stock-keeping lines only; the sign of a line's quantity is ignored
    select doc_poz.articol,
           articol.cod_bare,
           sum(abs(doc_poz.cant)) as cant
    from doc_poz
    join articol on articol.articol = doc_poz.articol
    where articol.da_nu_stocabil
      and doc_poz.data_doc = :pDataDoc
      and doc_poz.tip_doc  = :pTipDoc
      and doc_poz.nr_doc   = :pNrDoc
    group by doc_poz.articol,
             articol.cod_bare
),
scanned as (
    -- per barcode, signed as stored; a barcode of several articles counts
    -- for each of them, an unknown one keeps an empty article
    select s.cod_bare,
           articol.articol,
           s.cant_scanata
    from (select cod_bare,
                 sum(cant) as cant_scanata
          from doc_poz_marfa_tm
          where data_doc = :pDataDoc
            and tip_doc  = :pTipDoc
            and nr_doc   = :pNrDoc
          group by cod_bare) as s
    left join articol on articol.cod_bare = s.cod_bare
),
joined as (
    select coalesce(e.articol, s.articol) as articol,
           e.cant,
           s.cant_scanata,
           coalesce(e.cod_bare, s.cod_bare) as cod_bare
    from expected as e
    full join scanned as s on s.articol = e.articol
),
locations as (
    select locatie_art.articol,
           string_agg(locatie_art.locatie, ', ' order by locatie_art.locatie) as locatie
    from locatie_art
    join locatie on locatie.locatie = locatie_art.locatie
    where locatie.magazie = (select magazie_sursa
                             from doc
                             where data_doc = :pDataDoc
                               and tip_doc  = :pTipDoc
                               and nr_doc   = :pNrDoc)
      and locatie_art.articol in (select articol from joined)
    group by locatie_art.articol
),
totals as (
    select joined.*,
           locations.locatie,
           sum(joined.cant) over ()         as sum_cant,
           sum(joined.cant_scanata) over () as sum_cant_scanata
    from joined
    left join locations on locations.articol = joined.articol
)
select :pDataDoc as data_doc,
       :pTipDoc  as tip_doc,
       :pNrDoc   as nr_doc,
       articol,
       cant,
       cant_scanata,
       cod_bare,
       locatie,
       sum_cant,
       sum_cant_scanata
from totals
-- on NIR and NP documents the operator sees only what was scanned; the
-- totals above still count every expected article
where not (:pTipDoc in ('NIR', 'NP') and cant_scanata is null)
order by articol,
         cod_bare
;
